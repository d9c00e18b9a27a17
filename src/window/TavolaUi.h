// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/MarkerGroup.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <array>
#include <vector>

class AnswerBox;
class Board;
class CaptionLabel;
class PictureButton;
class QAction;
class QLabel;
class QMainWindow;
class QTimer;

// Every control of the game's window under its own name, built from the
// layout table in one place, the way a generated Ui form is. The window owns
// them all for the life of the process.
struct TavolaUi {
    // The window's timer ticks about once a second; 900 ticks take 900.9 s.
    static constexpr int kTimerIntervalMs = 1001;

    std::array<CaptionLabel*, 3> Label11{};
    CaptionLabel* lblconto = nullptr;
    QLabel* Image4 = nullptr;
    CaptionLabel* Label7 = nullptr;
    CaptionLabel* Label4 = nullptr;
    AnswerBox* Text4 = nullptr;
    CaptionLabel* Label2 = nullptr;
    CaptionLabel* Label5 = nullptr;
    AnswerBox* TXTANSWER = nullptr;
    CaptionLabel* Label8 = nullptr;
    CaptionLabel* Label6 = nullptr;
    CaptionLabel* lblScore = nullptr;
    CaptionLabel* Label1 = nullptr;
    CaptionLabel* lblScore1 = nullptr;
    PictureButton* cmdNext = nullptr;
    CaptionLabel* Label14 = nullptr;
    CaptionLabel* lblnome1 = nullptr;
    std::array<CaptionLabel*, 2> lblMessage{};
    CaptionLabel* Label12 = nullptr;
    CaptionLabel* lblnome = nullptr;
    CaptionLabel* Label13 = nullptr;
    QLabel* Image3 = nullptr;
    CaptionLabel* Label3 = nullptr;
    CaptionLabel* lblScore2 = nullptr;
    PictureButton* cmdExit = nullptr;
    CaptionLabel* lblpunti = nullptr;
    QTimer* Timer1 = nullptr;
    QAction* copy = nullptr;
    Board* board = nullptr;

    // The target of the open question as decimal text, abscissa and
    // ordinate: kept out of every control, so nothing shows or speaks it.
    QString Text2;
    QString Text1;

    MarkerGroup Shape1{1}, Shape2{2}, Shape3{3}, Shape4{4}, Shape5{5}, Shape6{6}, Shape7{7},
        Shape8{8}, Shape9{9}, Shape10{10}, Shape11{11}, Shape12{12}, Shape13{13}, Shape14{14},
        Shape15{15}, Shape16{16}, Shape17{17}, Shape18{18}, Shape19{19}, Shape20{20}, Shape21{21},
        Shape22{22};

    // The 22 groups in number order: element 0 is Shape1.
    const MarkerGroupSet shapeGroups{&Shape1,  &Shape2,  &Shape3,  &Shape4,  &Shape5,  &Shape6,
                                     &Shape7,  &Shape8,  &Shape9,  &Shape10, &Shape11, &Shape12,
                                     &Shape13, &Shape14, &Shape15, &Shape16, &Shape17, &Shape18,
                                     &Shape19, &Shape20, &Shape21, &Shape22};

    // A control's place and font in the layout table, in design pixels.
    struct Placement {
        QWidget* control = nullptr;
        QRect geometry;
        QFont font;
    };
    // Every control on the board, as built.
    std::vector<Placement> layoutTable;

    // Builds the board, the markers, the timer, every control and the menu
    // into the window, chains the tab order and sizes the window to the
    // board, or to the board at the factor that fits the screen's free area.
    void setupUi(QMainWindow* window);

    // Lays the board and every control out from the layout table at the
    // factor: places, sizes, fonts and pictures. At 1 it is the table.
    void layOut(double factor);

    // The client size the window asks for on its screen.
    static QSize startClientSize(QMainWindow* window);

private:
    void setupControls(QWidget* surface);
};

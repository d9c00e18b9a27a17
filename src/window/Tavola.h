// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clock/Countdown.h"
#include "game/GameServices.h"
#include "window/MarkerGroup.h"

#include <QMainWindow>
#include <array>
#include <cstdint>

class AnswerBox;
class BoardSurface;
class CaptionLabel;
class PictureButton;
class QAction;
class QLabel;
class QTimer;

// The game's one window: the board with its 121 point markers on the left,
// the countdown, the answer row, the scores and the player's name on the
// right, the record along the bottom. Controls and window-level fields keep
// the names the rest of the game uses; each subsystem's handlers live in its
// own folder (questions/, clock/, game/).
class Tavola : public QMainWindow {
    Q_OBJECT
public:
    explicit Tavola(GameServices services, QWidget* parent = nullptr);
    ~Tavola() override;

    // Game lifecycle.
    void Form_Load();
    void Form_Activate();
    void EndGame();
    bool gameEnded() const { return gameEnded_; }

    // Questions.
    void cmdNext_Click();
    void Text4_KeyPress(int& KeyAscii);
    void TXTANSWER_KeyPress(int& KeyAscii);
    void TXTANSWER_LostFocus();

    // Countdown.
    void StartCountdown();
    void Timer1_Timer();

    // Credits.
    void copy_Click();

    // Markers: hide them all, light one red.
    void resetAllMarkers();
    void lightMarker(MarkerGroup& group, int index);
    MarkerGroup& shapeGroup(int number);

    // Controls.
    std::array<CaptionLabel*, 3> Label11{};
    CaptionLabel* lblconto = nullptr;
    QLabel* Image4 = nullptr;
    AnswerBox* Text2 = nullptr;
    AnswerBox* Text1 = nullptr;
    CaptionLabel* Label7 = nullptr;
    CaptionLabel* Label4 = nullptr;
    AnswerBox* Text4 = nullptr;
    CaptionLabel* Label2 = nullptr;
    CaptionLabel* Label5 = nullptr;
    AnswerBox* TXTANSWER = nullptr;
    CaptionLabel* Label8 = nullptr;
    CaptionLabel* Label6 = nullptr;
    CaptionLabel* lblScore = nullptr;
    AnswerBox* Text3 = nullptr;
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
    BoardSurface* board = nullptr;

    MarkerGroup Shape1{1}, Shape2{2}, Shape3{3}, Shape4{4}, Shape5{5}, Shape6{6}, Shape7{7},
        Shape8{8}, Shape9{9}, Shape10{10}, Shape11{11}, Shape12{12}, Shape13{13}, Shape14{14},
        Shape15{15}, Shape16{16}, Shape17{17}, Shape18{18}, Shape19{19}, Shape20{20}, Shape21{21},
        Shape22{22};

    // Window-level fields.
    std::int16_t correctCount = 0;
    std::int16_t wrongCount = 0;
    QString expectedAnswer;
    Countdown clock;
    QString recordDir;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    // Focus moved by code, leaving the ordinate box judged even while the
    // window is not the active one.
    void moveFocusTo(QWidget* control);
    void buildMenu();
    void loadRecord();
    void showRecordProblem(const QString& message);

    MarkerGroupSet shapeGroups_;
    GameServices services_;
    bool firstShowDone_ = false;
    bool gameEnded_ = false;
};

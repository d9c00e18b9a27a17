// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/TavolaUi.h"

#include "window/AnswerBox.h"
#include "window/Board.h"
#include "window/CaptionLabel.h"
#include "window/PictureButton.h"
#include "window/WindowAccessibility.h"
#include "window/WindowFonts.h"
#include "window/WindowScale.h"

#include <QDir>
#include <QIcon>
#include <QMainWindow>
#include <QMap>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kTwipsPerPixel = 15;

QRect twipsRect(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

struct Look {
    const char* face;
    double points;
    bool bold = false;
    bool italic = false;
    const char* colour = nullptr; // nullptr: the platform's usual text colour
};

enum LabelFlag : unsigned { AutoSize = 1u, Centred = 2u, Border = 4u, Hidden = 8u };

void place(QWidget* widget, const char* name, QRect geometry, int tabIndex) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(geometry);
    // The tab-order index of the layout; the focusable controls are chained by it.
    widget->setProperty("tabIndex", tabIndex);
}

CaptionLabel* makeLabel(QWidget* parent, const char* name, QRect geometry, const char* caption,
                        const Look& look, unsigned flags, int tabIndex) {
    auto* label = new CaptionLabel(parent);
    place(label, name, geometry, tabIndex);
    label->setFont(
        WindowFonts::font(QString::fromLatin1(look.face), look.points, look.bold, look.italic));
    if (look.colour != nullptr) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(QString::fromLatin1(look.colour)));
        label->setPalette(palette);
    }
    label->setAlignment(((flags & Centred) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    if (flags & Border) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    }
    // The design size holds until the first new caption.
    label->setCaption(QString::fromUtf8(caption));
    label->setAutoSize(flags & AutoSize);
    label->setVisible(!(flags & Hidden));
    return label;
}

AnswerBox* makeAnswerBox(QWidget* parent, const char* name, QRect geometry, int tabIndex) {
    auto* box = new AnswerBox(parent);
    place(box, name, geometry, tabIndex);
    box->setFont(WindowFonts::font(QStringLiteral("Arial"), 48));
    box->setAlignment(Qt::AlignCenter);
    box->setMaxLength(2);
    box->setText(QStringLiteral("0"));
    return box;
}

constexpr int kIconSize = 32;

QLabel* makeImage(QWidget* parent, const char* name, QRect geometry, const char* tooltip) {
    auto* image = new QLabel(parent);
    image->setObjectName(QString::fromUtf8(name));
    image->setGeometry(geometry);
    // The window's icon, the mascot: one picture, drawn once for each size.
    image->setPixmap(parent->windowIcon().pixmap(kIconSize));
    image->setToolTip(QString::fromUtf8(tooltip));
    return image;
}

PictureButton* makeButton(QWidget* parent, const char* name, QRect geometry, const char* caption,
                          const char* backColour, const char* tooltip, int tabIndex) {
    auto* button = new PictureButton(parent);
    place(button, name, geometry, tabIndex);
    button->setFont(WindowFonts::font(QStringLiteral("MS Sans Serif"), 8.25, true));
    button->setText(QString::fromUtf8(caption));
    button->setBackColor(QColor(QString::fromLatin1(backColour)));
    button->setToolTip(QString::fromUtf8(tooltip));
    return button;
}

} // namespace

void TavolaUi::setupUi(QMainWindow* window) {
    WindowFonts::installSubstitutions();
    window->setObjectName(QStringLiteral("Tavola"));
    window->setWindowTitle(QStringLiteral("Aiutami a trovare i punti nel piano cartesiano"));
    // The mascot as drawn at build time, one picture per icon size.
    QIcon mascot;
    for (const QString& size : QDir(QStringLiteral(":/mascot")).entryList()) {
        mascot.addFile(QStringLiteral(":/mascot/") + size);
    }
    window->setWindowIcon(mascot);

    board = new Board(shapeGroups, window);
    window->setCentralWidget(board);
    for (MarkerGroup* group : shapeGroups) {
        group->placeOn(board);
    }

    Timer1 = new QTimer(window);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTimerIntervalMs);
    // A precise timer keeps 900 ticks within a fraction of a second of 900.9 s.
    Timer1->setTimerType(Qt::PreciseTimer);

    setupControls(board);
    WindowAccessibility::describe(*this);
    QMenu* about = window->menuBar()->addMenu(QStringLiteral("&Informazioni"));
    copy = about->addAction(QStringLiteral("&Chi ha fatto Trovapunti"));
    copy->setObjectName(QStringLiteral("copy"));

    for (QWidget* control : board->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        layoutTable.push_back({control, control->geometry(), control->font()});
    }

    const QSize client = startClientSize(window);
    window->resize(client.width(), client.height() + window->menuBar()->sizeHint().height());
}

QSize TavolaUi::startClientSize(QMainWindow* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        return {kDesignClientWidth, kDesignClientHeight};
    }
    // The frame is known once the window manager has framed the window.
    const QRect available = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    return ::startClientSize(available.width(), available.height(), frame.width(), frame.height(),
                             window->menuBar()->sizeHint().height());
}

void TavolaUi::layOut(double factor) {
    board->setFactor(factor);
    const auto scaled = [factor](int length) {
        return scaledLength(length, factor);
    };
    for (const Placement& placement : layoutTable) {
        const QRect& design = placement.geometry;
        const int left = scaled(design.left());
        const int top = scaled(design.top());
        // Edges are rounded, so that neighbours stay neighbours.
        const QRect geometry(left, top, scaled(design.left() + design.width()) - left,
                             scaled(design.top() + design.height()) - top);
        if (placement.font.pixelSize() > 0) {
            QFont font = placement.font;
            font.setPixelSize(std::max(1, scaled(placement.font.pixelSize())));
            placement.control->setFont(font);
        }
        if (auto* label = qobject_cast<CaptionLabel*>(placement.control)) {
            label->placeAt(geometry);
            continue;
        }
        placement.control->setGeometry(geometry);
        if (auto* button = qobject_cast<PictureButton*>(placement.control)) {
            button->setIconSize(QSize(scaled(kIconSize), scaled(kIconSize)));
        } else if (auto* image = qobject_cast<QLabel*>(placement.control)) {
            image->setPixmap(image->windowIcon().pixmap(scaled(kIconSize)));
        }
    }
}

void TavolaUi::setupControls(QWidget* surface) {
    Label11[0] = makeLabel(surface, "Label11(0)", twipsRect(10200, 0, 2295, 375), "Tempo restante",
                           {"MS Sans Serif", 9.75, true, false, "#000000"}, 0, 19);
    Label11[1] = makeLabel(surface, "Label11(1)", twipsRect(10200, 120, 2295, 495),
                           "Tempo restante", {"MS Sans Serif", 12, true, false, "#8080FF"}, 0, 27);
    Label11[2] =
        makeLabel(surface, "Label11(2)", twipsRect(10200, 240, 2295, 495), "Tempo restante",
                  {"MS Sans Serif", 13.5, true, false, "#0000FF"}, 0, 28);
    lblconto = makeLabel(surface, "lblconto", twipsRect(12600, 0, 1575, 495), "00.00.00",
                         {"Arial Black", 12, true, false, "#0000FF"}, Border, 20);
    // The clock lies on the plain face colour beside the picture: filling
    // its own background with that colour looks the same and lets each
    // tick repaint the label alone, not the board beneath it.
    lblconto->setAutoFillBackground(true);
    Image4 =
        makeImage(surface, "Image4", twipsRect(13200, 360, 480, 480), "Un altro piccolo sforzo");
    Label7 =
        makeLabel(surface, "Label7", twipsRect(10560, 1080, 495, 1335), "(", {"Arial", 72}, 0, 25);
    Label4 = makeLabel(surface, "Label4", twipsRect(11520, 960, 255, 510), "x",
                       {"Arial", 21.75, true, false, "#FF0000"}, AutoSize | Centred, 23);
    Label2 = makeLabel(surface, "Label2", twipsRect(12360, 1200, 375, 1695), ";", {"Arial", 48},
                       Hidden, 5);
    Label5 = makeLabel(surface, "Label5", twipsRect(13320, 960, 255, 435), "Y", {"Arial", 18, true},
                       AutoSize | Centred, 24);
    Label8 =
        makeLabel(surface, "Label8", twipsRect(14160, 1080, 615, 1335), ")", {"Arial", 72}, 0, 26);
    Label6 =
        makeLabel(surface, "Label6", twipsRect(10320, 3000, 2565, 495), "Risposte esatte",
                  {"MS Sans Serif", 18, false, false, "#00C000"}, AutoSize | Centred | Border, 17);
    lblScore = makeLabel(surface, "lblScore", twipsRect(11280, 3600, 555, 885), "0",
                         {"Times New Roman", 36, true}, AutoSize | Centred | Border, 16);
    lblScore->setToolTip(QStringLiteral("Questo è il tuo punteggio. Forza con il  record"));
    Label1 = makeLabel(surface, "Label1", twipsRect(10320, 4680, 2520, 495), "Risposte errate",
                       {"MS Sans Serif", 18, false, false, "#FF0000"}, AutoSize | Border, 13);
    lblScore1 =
        makeLabel(surface, "lblScore1", twipsRect(11160, 5520, 540, 885), "0",
                  {"Times New Roman", 36, true, false, "#FF0000"}, AutoSize | Centred | Border, 15);
    Label14 = makeLabel(surface, "Label14", twipsRect(10560, 8760, 1425, 420), "Sfidante",
                        {"MS Sans Serif", 13.5, false, false, "#008000"},
                        AutoSize | Centred | Border, 11);
    lblnome1 = makeLabel(surface, "lblnome1", twipsRect(10560, 9240, 45, 420), "",
                         {"MS Sans Serif", 13.5, true, false, "#008000"}, AutoSize | Border, 10);
    lblMessage[0] = makeLabel(surface, "lblMessage(0)", twipsRect(4875, 0, 345, 435), "",
                              {"MS Sans Serif", 18, true, true, "#FF0000"}, AutoSize | Centred, 18);
    lblMessage[1] = makeLabel(surface, "lblMessage(1)", twipsRect(5220, 1680, 135, 405), "",
                              {"MS Serif", 18, true, false, "#00FF00"}, AutoSize | Centred, 29);
    Label12 = makeLabel(surface, "Label12", twipsRect(4920, 10440, 2295, 375), "Il record  è di ",
                        {"MS Sans Serif", 18, false, false, "#C000C0"}, 0, 9);
    lblnome = makeLabel(surface, "lblnome", twipsRect(7560, 10440, 990, 435), "nome",
                        {"MS Sans Serif", 18, true, false, "#0000FF"}, AutoSize, 8);
    Label13 = makeLabel(surface, "Label13", twipsRect(9000, 10440, 1455, 435), "con punti",
                        {"MS Sans Serif", 18, false, false, "#C000C0"}, AutoSize, 7);
    Image3 = makeImage(surface, "Image3", twipsRect(15000, 4320, 480, 480), nullptr);
    Label3 = makeLabel(surface, "Label3", twipsRect(17640, 3720, 2340, 495), "Risposte totali",
                       {"MS Sans Serif", 18, false, false, "#0000FF"}, AutoSize | Border, 12);
    lblScore2 =
        makeLabel(surface, "lblScore2", twipsRect(18510, 4440, 555, 885), "0",
                  {"Times New Roman", 36, true, false, "#0000FF"}, AutoSize | Centred | Border, 14);
    lblpunti = makeLabel(surface, "lblpunti", twipsRect(17880, 7800, 270, 555), "0",
                         {"MS Sans Serif", 24, false, false, "#C000C0"}, AutoSize, 6);

    // The answer boxes and the buttons lie above the labels and the picture.
    Text4 = makeAnswerBox(surface, "Text4", twipsRect(10920, 1440, 1455, 1005), 22);
    TXTANSWER = makeAnswerBox(surface, "TXTANSWER", twipsRect(12720, 1440, 1455, 1020), 21);

    cmdNext = makeButton(surface, "cmdNext", twipsRect(10560, 6720, 1815, 1095), "&Nuovo calcolo",
                         "#00C0C0", "Go", 3);
    // Smiling, neutral while disabled, laughing while pressed.
    QIcon faces(QStringLiteral(":/pictures/smiling-face.svg"));
    faces.addFile(QStringLiteral(":/pictures/neutral-face.svg"), {}, QIcon::Disabled);
    faces.addFile(QStringLiteral(":/pictures/laughing-face.svg"), {}, QIcon::Active);
    cmdNext->setIcon(faces);
    cmdNext->setDefault(true);
    cmdNext->setAutoDefault(true);
    cmdNext->setEnabled(false);
    cmdExit = makeButton(surface, "cmdExit", twipsRect(17880, 5640, 2055, 1095), "E&xit", "#C000C0",
                         "Ti prego resta ancora, forse riuscirai a farmi uscire ", 4);
    cmdExit->setIcon(QIcon(QStringLiteral(":/pictures/no-entry.svg")));
    // Enter on the focused exit button presses it (to no effect) rather than
    // reaching the default button.
    cmdExit->setAutoDefault(true);
    cmdExit->setCursor(Qt::ArrowCursor);

    const QCursor square(QIcon(QStringLiteral(":/pictures/square-pointer.svg")).pixmap(32));
    cmdNext->setCursor(square);
    lblMessage[0]->setCursor(square);
    lblMessage[1]->setCursor(square);

    // Tab visits the focusable controls in the order of their layout indices.
    QMap<int, QWidget*> focusable;
    for (QWidget* control : surface->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->focusPolicy() & Qt::TabFocus) {
            focusable.insert(control->property("tabIndex").toInt(), control);
        }
    }
    const QList<QWidget*> chain = focusable.values();
    for (qsizetype i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}

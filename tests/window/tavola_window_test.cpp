// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/GameFixture.h"
#include "window/AnswerBox.h"
#include "window/BoardSurface.h"
#include "window/CaptionLabel.h"
#include "window/GridImage.h"
#include "window/GridPicture.h"
#include "window/Icons.h"
#include "window/PictureButton.h"

#include <QMenuBar>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

enum class Kind { Label, TextBox, Button, Image };

struct ExpectedControl {
    const char* name;
    Kind kind;
    int left, top, width, height; // twips
    const char* text;
    int pixelSize; // 0: not checked
    bool bold;
    bool italic;
    const char* colour; // nullptr: default
    bool hidden;
    const char* tooltip;
};

// The window's controls as a pupil finds them before the first question.
const ExpectedControl kControls[] = {
    {"Label11(0)", Kind::Label, 10200, 0, 2295, 375, "Tempo restante", 13, true, false, "#000000",
     false, ""},
    {"Label11(1)", Kind::Label, 10200, 120, 2295, 495, "Tempo restante", 16, true, false, "#8080ff",
     false, ""},
    {"Label11(2)", Kind::Label, 10200, 240, 2295, 495, "Tempo restante", 18, true, false, "#0000ff",
     false, ""},
    {"lblconto", Kind::Label, 12600, 0, 1575, 495, "00.00.00", 16, true, false, "#0000ff", false,
     ""},
    {"Image4", Kind::Image, 13200, 360, 480, 480, "", 0, false, false, nullptr, false,
     "Un altro piccolo sforzo"},
    {"Text2", Kind::TextBox, 10560, 360, 855, 495, "", 11, false, false, nullptr, true, ""},
    {"Text1", Kind::TextBox, 11400, 360, 855, 495, "", 11, false, false, nullptr, true, ""},
    {"Label7", Kind::Label, 10560, 1080, 495, 1335, "(", 96, false, false, nullptr, false, ""},
    {"Label4", Kind::Label, 11520, 960, 255, 510, "x", 29, true, false, "#ff0000", false, ""},
    {"Text4", Kind::TextBox, 10920, 1440, 1455, 1005, "0", 64, false, false, nullptr, false, ""},
    {"Label2", Kind::Label, 12360, 1200, 375, 1695, ";", 64, false, false, nullptr, true, ""},
    {"Label5", Kind::Label, 13320, 960, 255, 435, "Y", 24, true, false, nullptr, false, ""},
    {"TXTANSWER", Kind::TextBox, 12720, 1440, 1455, 1020, "0", 64, false, false, nullptr, false,
     ""},
    {"Label8", Kind::Label, 14160, 1080, 615, 1335, ")", 96, false, false, nullptr, false, ""},
    {"Label6", Kind::Label, 10320, 3000, 2565, 495, "Risposte esatte", 24, false, false, "#00c000",
     false, ""},
    {"lblScore", Kind::Label, 11280, 3600, 555, 885, "0", 48, true, false, nullptr, false,
     "Questo è il tuo punteggio. Forza con il  record"},
    {"Text3", Kind::TextBox, 13200, 3360, 735, 285, "0", 11, false, false, nullptr, true, ""},
    {"Label1", Kind::Label, 10320, 4680, 2520, 495, "Risposte errate", 24, false, false, "#ff0000",
     false, ""},
    {"lblScore1", Kind::Label, 11160, 5520, 540, 885, "0", 48, true, false, "#ff0000", false, ""},
    {"cmdNext", Kind::Button, 10560, 6720, 1815, 1095, "&Nuovo calcolo", 11, true, false, nullptr,
     false, "Go"},
    {"Label14", Kind::Label, 10560, 8760, 1425, 420, "Sfidante", 18, false, false, "#008000", false,
     ""},
    {"lblnome1", Kind::Label, 10560, 9240, 45, 420, "", 18, true, false, "#008000", false, ""},
    {"lblMessage(0)", Kind::Label, 4875, 0, 345, 435, "", 24, true, true, "#ff0000", false, ""},
    {"lblMessage(1)", Kind::Label, 5220, 1680, 135, 405, "", 24, true, false, "#00ff00", false, ""},
    {"Label12", Kind::Label, 4920, 10440, 2295, 375, "Il record  è di ", 24, false, false,
     "#c000c0", false, ""},
    {"lblnome", Kind::Label, 7560, 10440, 990, 435, "nome", 24, true, false, "#0000ff", false, ""},
    {"Label13", Kind::Label, 9000, 10440, 1455, 435, "con punti", 24, false, false, "#c000c0",
     false, ""},
    {"Image3", Kind::Image, 15000, 4320, 480, 480, "", 0, false, false, nullptr, false, ""},
    {"Label3", Kind::Label, 17640, 3720, 2340, 495, "Risposte totali", 24, false, false, "#0000ff",
     false, ""},
    {"lblScore2", Kind::Label, 18510, 4440, 555, 885, "0", 48, true, false, "#0000ff", false, ""},
    {"cmdExit", Kind::Button, 17880, 5640, 2055, 1095, "E&xit", 11, true, false, nullptr, false,
     "Ti prego resta ancora, forse riuscirai a farmi uscire "},
    {"lblpunti", Kind::Label, 17880, 7800, 270, 555, "0", 32, false, false, "#c000c0", false, ""},
};

class TavolaWindow : public ::testing::Test {
protected:
    GameFixture game{std::vector<double>(40, 0.75)};
    Tavola& tavola = *game.tavola;
};

TEST_F(TavolaWindow, ControlsMatchTheLayoutTable) {
    for (const ExpectedControl& expected : kControls) {
        SCOPED_TRACE(expected.name);
        auto* widget = tavola.findChild<QWidget*>(QString::fromUtf8(expected.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), QRect(expected.left / 15, expected.top / 15,
                                            expected.width / 15, expected.height / 15));
        EXPECT_EQ(widget->isHidden(), expected.hidden);
        EXPECT_EQ(widget->toolTip(), QString::fromUtf8(expected.tooltip));
        QString text;
        QPalette::ColorRole role = QPalette::WindowText;
        switch (expected.kind) {
        case Kind::Label: {
            auto* label = qobject_cast<CaptionLabel*>(widget);
            ASSERT_NE(label, nullptr);
            text = label->caption();
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
            break;
        }
        case Kind::TextBox: {
            auto* box = qobject_cast<AnswerBox*>(widget);
            ASSERT_NE(box, nullptr);
            text = box->text();
            role = QPalette::Text;
            EXPECT_TRUE(box->alignment() & Qt::AlignHCenter);
            break;
        }
        case Kind::Button: {
            auto* button = qobject_cast<PictureButton*>(widget);
            ASSERT_NE(button, nullptr);
            text = button->text();
            role = QPalette::ButtonText;
            break;
        }
        case Kind::Image: {
            auto* image = qobject_cast<QLabel*>(widget);
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(image->pixmap().size(), QSize(32, 32));
            break;
        }
        }
        EXPECT_EQ(text, QString::fromUtf8(expected.text));
        if (expected.pixelSize != 0) {
            EXPECT_EQ(widget->font().pixelSize(), expected.pixelSize);
            EXPECT_EQ(widget->font().bold(), expected.bold);
            EXPECT_EQ(widget->font().italic(), expected.italic);
        }
        if (expected.colour != nullptr) {
            EXPECT_EQ(widget->palette().color(role).name(), QString::fromLatin1(expected.colour));
        }
    }
}

TEST_F(TavolaWindow, FontsResolveToMetricCompatibleFaces) {
    const QFontInfo sans(tavola.Label6->font());
    const QFontInfo serif(tavola.lblScore->font());
    const QFontInfo arial(tavola.Text4->font());
    EXPECT_EQ(sans.family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(serif.family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(arial.family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(tavola.lblMessage[1]->font()).family(), QStringLiteral("Liberation Serif"));
}

TEST_F(TavolaWindow, StartState) {
    EXPECT_EQ(tavola.windowTitle(),
              QStringLiteral("Aiutami a trovare i punti nel piano cartesiano"));
    EXPECT_FALSE(tavola.cmdNext->isEnabled());
    EXPECT_TRUE(tavola.cmdNext->isDefault());
    EXPECT_TRUE(tavola.cmdExit->isEnabled());
    EXPECT_EQ(tavola.Text4->maxLength(), 2);
    EXPECT_EQ(tavola.TXTANSWER->maxLength(), 2);
    EXPECT_EQ(tavola.Timer1->interval(), 1001);
    EXPECT_FALSE(tavola.Timer1->isActive());
    for (int group = 1; group <= 22; ++group) {
        MarkerGroup& markers = tavola.shapeGroup(group);
        for (int index = markers.firstIndex(); index <= markers.lastIndex(); ++index) {
            EXPECT_EQ(markers[index].backStyle(), 0) << group << "/" << index;
        }
    }
}

TEST_F(TavolaWindow, DesignSizeShowsTheBoardAndHidesWhatLiesBeyond) {
    tavola.show();
    EXPECT_EQ(tavola.board->size(), QSize(1016, 722));
    for (QWidget* beyond : std::initializer_list<QWidget*>{tavola.Label3, tavola.lblScore2,
                                                           tavola.cmdExit, tavola.lblpunti}) {
        EXPECT_GE(beyond->x(), 1016) << beyond->objectName().toStdString();
    }
    // A wider window reveals them where they were: nothing moves or scales.
    const QRect exitBefore = tavola.cmdExit->geometry();
    tavola.resize(1400, tavola.height());
    EXPECT_EQ(tavola.cmdExit->geometry(), exitBefore);
    EXPECT_GE(tavola.board->width(), 1400);
}

TEST_F(TavolaWindow, PressingExitChangesNothing) {
    tavola.show();
    const int before = tavola.findChildren<QWidget*>().size();
    tavola.cmdExit->click();
    EXPECT_TRUE(tavola.isVisible());
    EXPECT_EQ(tavola.findChildren<QWidget*>().size(), before);
    EXPECT_TRUE(game.platform.exitStatuses.empty());
}

TEST_F(TavolaWindow, TabOrderFollowsTheLayoutIndices) {
    EXPECT_EQ(tavola.cmdNext->nextInFocusChain(), tavola.cmdExit);
    EXPECT_EQ(tavola.cmdExit->nextInFocusChain(), tavola.TXTANSWER);
    EXPECT_EQ(tavola.TXTANSWER->nextInFocusChain(), tavola.Text4);
    EXPECT_EQ(tavola.Label6->focusPolicy(), Qt::NoFocus);
}

TEST_F(TavolaWindow, PointersAndButtonPictures) {
    EXPECT_EQ(tavola.board->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(tavola.Label6->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(tavola.cmdNext->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(tavola.lblMessage[0]->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(tavola.lblMessage[1]->cursor().shape(), Qt::BitmapCursor);
    // Disabled, the button shows its disabled face; enabled, its normal one.
    EXPECT_EQ(tavola.cmdNext->currentPicture().toImage(), Icons::neutralFace().toImage());
    tavola.cmdNext->setEnabled(true);
    EXPECT_EQ(tavola.cmdNext->currentPicture().toImage(), Icons::smilingFace().toImage());
    tavola.cmdNext->setDown(true);
    EXPECT_EQ(tavola.cmdNext->currentPicture().toImage(), Icons::laughingFace().toImage());
}

TEST_F(TavolaWindow, CreditsBoxNamesTheTeam) {
    tavola.copy->trigger();
    ASSERT_EQ(game.platform.messages.size(), 1u);
    EXPECT_TRUE(game.platform.messages[0].text.contains(QStringLiteral("Trovapunti")));
    EXPECT_TRUE(tavola.menuBar()->actions().size() == 1);
}

TEST_F(TavolaWindow, AutoSizeLabelsGrowFromTheirLeftEdge) {
    const QPoint corner = tavola.lblMessage[0]->pos();
    tavola.lblMessage[0]->setCaption(QStringLiteral("Sbagliato!! ( -3;4 )"));
    EXPECT_EQ(tavola.lblMessage[0]->pos(), corner);
    EXPECT_GT(tavola.lblMessage[0]->width(), 200);
    // A fixed-size label keeps its size.
    const QSize fixed = tavola.Label12->size();
    tavola.Label12->setCaption(QStringLiteral("Un testo molto più lungo di prima"));
    EXPECT_EQ(tavola.Label12->size(), fixed);
}

TEST_F(TavolaWindow, RecordCaptionsKeepTheirTerminatorsButShowNoCarriageReturn) {
    tavola.lblpunti->setCaption(QStringLiteral("12\r\n"));
    EXPECT_EQ(tavola.lblpunti->caption(), QStringLiteral("12\r\n"));
    EXPECT_EQ(tavola.lblpunti->text(), QStringLiteral("12"));
    tavola.lblnome->setCaption(QStringLiteral("<b>Anna</b>\r\n"));
    EXPECT_EQ(tavola.lblnome->text(), QStringLiteral("<b>Anna</b>"));
    EXPECT_EQ(tavola.lblnome->textFormat(), Qt::PlainText);
}

// The board as drawn on screen: the picture untouched where no control lies,
// and a lit origin as a red disc centred on the crossing of the axes.
TEST_F(TavolaWindow, RenderedBoardShowsThePictureAndALitOrigin) {
    tavola.show();
    resetAllMarkers(tavola.shapeGroups);
    const QImage expected = gridImage(GridPicture::draw());
    QImage shown = tavola.board->grab().toImage().convertToFormat(QImage::Format_RGB32);

    QRegion covered;
    for (QWidget* child : tavola.board->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible() && child->metaObject()->className() != QByteArray("Marker")) {
            covered += child->geometry();
        }
    }
    int compared = 0;
    for (int y = 0; y < GridPicture::kSize; ++y) {
        for (int x = 0; x < GridPicture::kSize; ++x) {
            if (covered.contains(QPoint(x, y))) {
                continue;
            }
            ASSERT_EQ(shown.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 705 * 650);

    lightMarker(tavola.Shape6, 0);
    shown = tavola.board->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(shown.pixel(349, 356), red);
    for (int offset : {-11, 11}) {
        EXPECT_EQ(shown.pixel(349 + offset, 356), red);
        EXPECT_EQ(shown.pixel(349, 356 + offset), red);
    }
    for (int offset : {-14, 14}) {
        EXPECT_NE(shown.pixel(349 + offset, 356), red);
        EXPECT_NE(shown.pixel(349, 356 + offset), red);
    }
    // Only the one disc is red on the board (the red captions lie elsewhere).
    int redPixels = 0;
    for (int y = 0; y < GridPicture::kSize; ++y) {
        for (int x = 0; x < GridPicture::kSize; ++x) {
            if (!covered.contains(QPoint(x, y))) {
                redPixels += shown.pixel(x, y) == red ? 1 : 0;
            }
        }
    }
    EXPECT_NEAR(redPixels, 3.14159 * 12.5 * 12.5, 40);
}

// Each tick repaints the clock label alone: it paints its own background,
// which looks exactly like the board where it lies.
TEST_F(TavolaWindow, ClockLabelRepaintsAloneAndLooksAsOnTheBoard) {
    ASSERT_TRUE(game.showActive());
    // A window manager exposes, frames and activates a new window, and the
    // window repaints what it asks for. That is painted first: only the
    // repaint the tick itself causes is counted (no event is handled
    // between here and the count).
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    const QRect clock = tavola.lblconto->geometry();
    const QImage opaque = tavola.board->grab(clock).toImage();

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } boardPaints;
    tavola.board->installEventFilter(&boardPaints);
    tavola.lblconto->setCaption(QStringLiteral("00:14:59"));
    tavola.lblconto->repaint();
    EXPECT_EQ(boardPaints.paints, 0);

    tavola.lblconto->setCaption(QStringLiteral("00.00.00"));
    tavola.lblconto->setAutoFillBackground(false);
    tavola.lblconto->repaint();
    EXPECT_GT(boardPaints.paints, 0); // the counter sees the board's paints
    tavola.board->removeEventFilter(&boardPaints);
    EXPECT_EQ(tavola.board->grab(clock).toImage(), opaque);
}

} // namespace

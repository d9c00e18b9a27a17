// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/GameFixture.h"
#include "window/AnswerBox.h"
#include "window/Board.h"
#include "window/CaptionLabel.h"
#include "window/PictureButton.h"
#include "window/WindowScale.h"

#include <QPainter>

#include <QJsonArray>
#include <QJsonObject>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>
#include <qpa/qplatformnativeinterface.h>

namespace {

// The offscreen platform's one screen at the given size, standing for the
// free area a desktop leaves a window.
struct OffscreenScreen {
    explicit OffscreenScreen(QSize size) {
        QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
        using Get = QJsonObject (*)(QPlatformNativeInterface*);
        using Set = void (*)(const QJsonObject&, QPlatformNativeInterface*);
        const auto get =
            reinterpret_cast<Get>(native->nativeResourceForIntegration("configuration"));
        const auto set =
            reinterpret_cast<Set>(native->nativeResourceForIntegration("setConfiguration"));
        QJsonObject configuration = get(native);
        QJsonArray screens = configuration[QStringLiteral("screens")].toArray();
        QJsonObject screen = screens[0].toObject();
        screen[QStringLiteral("width")] = size.width();
        screen[QStringLiteral("height")] = size.height();
        screens[0] = screen;
        configuration[QStringLiteral("screens")] = screens;
        set(configuration, native);
        QCoreApplication::processEvents();
    }
};

class TavolaWindow : public ::testing::Test {
protected:
    OffscreenScreen screen{QSize(1920, 1080)};
    GameFixture game{std::vector<double>(40, 0.75)};
    Tavola& tavola = *game.tavola;
};

// Each control is found by its name with its kind; the separator stays
// hidden, and the tooltips keep their odd blanks.
TEST_F(TavolaWindow, ControlsAreFoundByNameWithTheirKindAndState) {
    for (const char* name :
         {"Label11(0)", "Label11(1)", "Label11(2)", "lblconto",      "Label7",        "Label4",
          "Label2",     "Label5",     "Label8",     "Label6",        "lblScore",      "Label1",
          "lblScore1",  "Label14",    "lblnome1",   "lblMessage(0)", "lblMessage(1)", "Label12",
          "lblnome",    "Label13",    "Label3",     "lblScore2",     "lblpunti"}) {
        auto* label = tavola.findChild<CaptionLabel*>(QString::fromUtf8(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << name;
    }
    for (const char* name : {"Text4", "TXTANSWER"}) {
        EXPECT_NE(tavola.findChild<AnswerBox*>(QString::fromUtf8(name)), nullptr) << name;
    }
    EXPECT_EQ(tavola.findChild<PictureButton*>(QStringLiteral("cmdNext")), tavola.cmdNext);
    EXPECT_EQ(tavola.findChild<PictureButton*>(QStringLiteral("cmdExit")), tavola.cmdExit);
    for (QLabel* image : {tavola.Image3, tavola.Image4}) {
        EXPECT_EQ(image->pixmap().deviceIndependentSize(), QSizeF(32, 32));
    }
    EXPECT_TRUE(tavola.Label2->isHidden());
    EXPECT_EQ(tavola.lblScore->toolTip(),
              QStringLiteral("Questo è il tuo punteggio. Forza con il  record"));
    EXPECT_EQ(tavola.cmdExit->toolTip(),
              QStringLiteral("Ti prego resta ancora, forse riuscirai a farmi uscire "));
    EXPECT_EQ(tavola.Image4->toolTip(), QStringLiteral("Un altro piccolo sforzo"));
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
    // Tab passes over what takes no focus, and wraps round.
    const auto tabFrom = [](QWidget* control) {
        QWidget* next = control->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus)) {
            next = next->nextInFocusChain();
        }
        return next;
    };
    EXPECT_EQ(tabFrom(tavola.cmdNext), tavola.cmdExit);
    EXPECT_EQ(tabFrom(tavola.cmdExit), tavola.TXTANSWER);
    EXPECT_EQ(tabFrom(tavola.TXTANSWER), tavola.Text4);
    EXPECT_EQ(tabFrom(tavola.Text4), tavola.cmdNext);
    EXPECT_EQ(tavola.Label6->focusPolicy(), Qt::NoFocus);
}

TEST_F(TavolaWindow, PointersAndButtonPictures) {
    EXPECT_EQ(tavola.board->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(tavola.Label6->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(tavola.cmdNext->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(tavola.lblMessage[0]->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(tavola.lblMessage[1]->cursor().shape(), Qt::BitmapCursor);
    // Disabled, the button shows its disabled face; enabled, its normal one;
    // pressed, its active one: three different pictures.
    const auto face = [this] {
        return tavola.cmdNext->icon().pixmap(32, tavola.cmdNext->pictureMode()).toImage();
    };
    const QImage neutral = face();
    tavola.cmdNext->setEnabled(true);
    const QImage smiling = face();
    tavola.cmdNext->setDown(true);
    const QImage laughing = face();
    EXPECT_NE(neutral, smiling);
    EXPECT_NE(smiling, laughing);
    EXPECT_NE(laughing, neutral);
    EXPECT_FALSE(tavola.cmdExit->icon().isNull());
}

TEST_F(TavolaWindow, CreditsBoxNamesTheTeam) {
    tavola.copy->trigger();
    ASSERT_EQ(game.platform.messages.size(), 1u);
    EXPECT_TRUE(game.platform.messages[0].text.startsWith(QStringLiteral("Trovapunti\n")));
    EXPECT_EQ(game.platform.messages[0].title, QStringLiteral("Trovapunti"));
    EXPECT_EQ(tavola.menuBar()->actions().size(), 1);
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

// The board as drawn on screen: the picture untouched where no control lies.
TEST_F(TavolaWindow, RenderedBoardShowsThePictureWhereNoControlLies) {
    tavola.show();
    resetAllMarkers(tavola.shapeGroups);
    QImage expected(kPictureSize, kPictureSize, QImage::Format_RGB32);
    QPainter painter(&expected);
    paintGrid(painter);
    painter.end();
    QImage shown = tavola.board->grab().toImage().convertToFormat(QImage::Format_RGB32);

    QRegion covered;
    for (QWidget* child : tavola.board->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible()) {
            covered += child->geometry();
        }
    }
    int compared = 0;
    for (int y = 0; y < kPictureSize; ++y) {
        for (int x = 0; x < kPictureSize; ++x) {
            if (covered.contains(QPoint(x, y))) {
                continue;
            }
            ASSERT_EQ(shown.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 705 * 650);
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

// The window's factor: 1 from the design client area up, else the largest
// at which the design area fits; the size asked at start keeps the frame
// and the menu inside the screen's free area.
TEST(WindowScale, FactorAndStartSizeFitTheFreeArea) {
    EXPECT_EQ(layoutFactor(1016, 722), 1.0);
    EXPECT_EQ(layoutFactor(1920, 722), 1.0);
    EXPECT_DOUBLE_EQ(layoutFactor(1016, 361), 0.5);
    EXPECT_DOUBLE_EQ(layoutFactor(508, 722), 0.5);
    EXPECT_GT(layoutFactor(0, 0), 0.0);
    EXPECT_EQ(startClientSize(1920, 1080, 10, 30, 25), QSize(1016, 722));
    // 1024 x 600 with a 30-pixel frame and a 25-pixel menu: 545 pixels high.
    const QSize netbook = startClientSize(1024, 600, 10, 30, 25);
    EXPECT_LE(netbook.height(), 545);
    EXPECT_GE(netbook.height(), 544);
    // In proportion, at the factor the window then finds in its client area.
    EXPECT_NEAR(layoutFactor(netbook.width(), netbook.height()), 545.0 / 722, 0.002);
    EXPECT_NEAR(static_cast<double>(netbook.width()) / netbook.height(), 1016.0 / 722, 0.01);
}

// On each screen a pupil may have, the whole window fits the free area, the
// lowest lattice point and the record line lie on it, and the answer boxes
// take keys; at full HD it is the layout table itself.
class TavolaOnScreen : public ::testing::TestWithParam<QSize> {
protected:
    OffscreenScreen screen{GetParam()};
    GameFixture game{std::vector<double>(40, 0.75)};
    Tavola& tavola = *game.tavola;
};

TEST_P(TavolaOnScreen, WholeWindowShowsAndPlays) {
    ASSERT_TRUE(game.showActive());
    QCoreApplication::processEvents();
    ASSERT_EQ(tavola.screen()->availableGeometry().size(), GetParam());
    EXPECT_TRUE(tavola.screen()->availableGeometry().contains(tavola.frameGeometry()))
        << tavola.frameGeometry().width() << "x" << tavola.frameGeometry().height();
    Board& board = *tavola.board;
    const double factor = board.factor();
    EXPECT_EQ(factor, layoutFactor(board.width(), board.height()));

    // Every control of the design area lies on the board, in proportion.
    const QRect client = board.rect();
    for (const TavolaUi::Placement& placement : tavola.layoutTable) {
        if (placement.geometry.left() < kDesignClientWidth && placement.control->isVisible()) {
            EXPECT_TRUE(client.contains(placement.control->pos()))
                << placement.control->objectName().toStdString();
        }
    }
    EXPECT_EQ(tavola.Text4->font().pixelSize(), scaledLength(64, factor));
    EXPECT_EQ(tavola.TXTANSWER->x(), scaledLength(12720 / 15, factor));
    // The record line's letters stand on the board (as at design size, the
    // tail of the p in "con punti" may pass its last row by a pixel).
    for (CaptionLabel* record : {tavola.Label12, tavola.lblnome, tavola.Label13}) {
        const QFontMetrics metrics = record->fontMetrics();
        const QRect ink = metrics.tightBoundingRect(record->text());
        EXPECT_LE(record->y() + metrics.ascent(), client.bottom())
            << record->objectName().toStdString();
        EXPECT_LE(record->x() + ink.right(), client.right());
    }

    // The red dot at (-5, -5), where no control covers it.
    resetAllMarkers(tavola.shapeGroups);
    const MarkerId corner = markerFor({-5, -5});
    lightMarker(tavola.shapeGroup(corner.group), corner.index);
    const QImage shown = board.grab().toImage();
    const QPoint centre = latticePixel({-5, -5});
    const QPoint dot(scaledLength(centre.x(), factor), scaledLength(centre.y(), factor));
    ASSERT_TRUE(client.contains(dot));
    EXPECT_EQ(shown.pixel(dot), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(dot + QPoint(scaledLength(10, factor), 0)), qRgb(255, 0, 0));

    tavola.moveFocusTo(tavola.Text4);
    QTest::keyClicks(tavola.Text4, QStringLiteral("-3"));
    EXPECT_EQ(tavola.Text4->text(), QStringLiteral("-3"));
    QTest::keyClick(tavola.Text4, Qt::Key_Return);
    QTest::keyClicks(tavola.TXTANSWER, QStringLiteral("4"));
    EXPECT_EQ(tavola.TXTANSWER->text(), QStringLiteral("4"));

    const QSize frame = tavola.frameGeometry().size() - board.size();
    EXPECT_EQ(factor == 1.0, GetParam().width() >= kDesignClientWidth + frame.width() &&
                                 GetParam().height() >= kDesignClientHeight + frame.height());
    if (GetParam().width() < 1920) {
        return;
    }
    // At design size the window is the layout table, and is it again after
    // the window was made smaller and large again.
    const auto expectLayoutTable = [&] {
        EXPECT_EQ(board.size(), QSize(kDesignClientWidth, kDesignClientHeight));
        EXPECT_EQ(tavola.height(), kDesignClientHeight + tavola.menuBar()->height());
        for (const TavolaUi::Placement& placement : tavola.layoutTable) {
            const auto* label = qobject_cast<const CaptionLabel*>(placement.control);
            const std::string name = placement.control->objectName().toStdString();
            if (label != nullptr && label->size() != placement.geometry.size()) {
                // An auto-size label fits its present caption from its corner.
                EXPECT_EQ(label->pos(), placement.geometry.topLeft()) << name;
                EXPECT_EQ(label->size(), label->sizeHint()) << name;
            } else {
                EXPECT_EQ(placement.control->geometry(), placement.geometry) << name;
            }
            EXPECT_EQ(placement.control->font(), placement.font) << name;
        }
    };
    expectLayoutTable();
    const QSize design = tavola.size();
    tavola.resize(800, 500);
    QCoreApplication::processEvents();
    EXPECT_LT(board.factor(), 1.0);
    tavola.resize(design);
    QCoreApplication::processEvents();
    EXPECT_EQ(board.factor(), 1.0);
    expectLayoutTable();
}

// 1024 x 600 netbooks, 1024 x 768 projectors, 1280 x 720, a 1366 x 768
// laptop under a 32-pixel panel, full HD.
INSTANTIATE_TEST_SUITE_P(SchoolScreens, TavolaOnScreen,
                         ::testing::Values(QSize(1024, 600), QSize(1024, 768), QSize(1280, 720),
                                           QSize(1366, 736), QSize(1920, 1080)));

} // namespace

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/QtPlatform.h"

#include "records/RecordStore.h"

#include <QApplication>
#include <QDate>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QValidator>
#include <algorithm>
#include <chrono>
#include <cstdint>

namespace {
// Close, minimise and maximise buttons and the frame's paddings, as the
// common desktop themes draw them.
constexpr int kTitleBarControls = 140;

// Holds the name box to what the record can keep as one plain line, whether
// typed or pasted.
class HolderNameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return isHolderName(input) ? Acceptable : Invalid;
    }
};
} // namespace

QtPlatform::QtPlatform() {
    reseedFromClock();
}

QWidget* QtPlatform::visibleParent() const {
    return (parent_ && parent_->isVisible()) ? parent_.data() : nullptr;
}

int QtPlatform::titleWidth(const QString& title) {
    // Window managers draw titles in their own font, commonly bold; the
    // title-bar font Qt knows is the nearest measure a box has.
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const int width = QFontMetrics(font).horizontalAdvance(title) + kTitleBarControls;
    // A title too long for the screen is cut by the frame whatever the box does.
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? std::min(width, screen->availableGeometry().width()) : width;
}

// Qt sizes a box by its contents (a message box allows its title only a
// narrow margin), so a spacer the width of the title keeps the box wide
// enough; it adds no height.
void QtPlatform::holdTitle(QDialog& box) {
    QLayout* layout = box.layout();
    if (layout == nullptr) {
        return;
    }
    auto* spacer =
        new QSpacerItem(titleWidth(box.windowTitle()), 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        grid->addItem(spacer, grid->rowCount(), 0, 1, grid->columnCount());
    } else {
        layout->addItem(spacer);
    }
}

QString QtPlatform::inputBox(const QString& prompt, const QString& title) {
    QInputDialog box(visibleParent());
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(QString());
    box.setInputMode(QInputDialog::TextInput);
    box.minimumSizeHint(); // builds the box's layout
    if (auto* field = box.findChild<QLineEdit*>()) {
        field->setMaxLength(kMaxHolderNameLength);
        field->setValidator(new HolderNameValidator(field));
    }
    holdTitle(box);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

void QtPlatform::messageBox(const QString& text, const QString& title, const QString& description) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, visibleParent());
    box.setTextFormat(Qt::PlainText);
    box.setAccessibleDescription(description);
    holdTitle(box);
    box.exec();
}

QString QtPlatform::shortDate() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

QString QtPlatform::recordDirectory() {
    return GetSystemDir();
}

void QtPlatform::terminate(int exitStatus) {
    QCoreApplication::exit(exitStatus);
}

void QtPlatform::reseedFromClock() {
    using namespace std::chrono;
    // Two reseeds can read the same clock values on a coarse clock; the
    // serial keeps their seeds apart all the same.
    static std::uint64_t serial = 0;
    const auto wall = static_cast<std::uint64_t>(system_clock::now().time_since_epoch().count());
    const auto mono = static_cast<std::uint64_t>(steady_clock::now().time_since_epoch().count());
    std::seed_seq seeds{static_cast<std::uint32_t>(wall), static_cast<std::uint32_t>(wall >> 32),
                        static_cast<std::uint32_t>(mono), static_cast<std::uint32_t>(mono >> 32),
                        static_cast<std::uint32_t>(serial++)};
    engine_.seed(seeds);
}

double QtPlatform::next() {
    // The top 53 bits scaled by 2^-53: exact in a double and strictly below 1,
    // which std::generate_canonical does not promise on every library.
    constexpr double scale = 1.0 / 9007199254740992.0;
    return static_cast<double>(engine_() >> 11) * scale;
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/WindowAccessibility.h"

#include "window/AnswerBox.h"
#include "window/Board.h"
#include "window/BoardGeometry.h"
#include "window/CaptionLabel.h"
#include "window/PictureButton.h"
#include "window/TavolaUi.h"
#include "window/WindowScale.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

namespace {

const char* const kConcealedProperty = "concealedFromAssistiveTechnology";

// Takes the widget out of the accessible tree: it is listed by no parent and
// reports no name, description or text, so not even its text notices reach
// the desktop's accessibility bus.
void conceal(QWidget* widget) {
    widget->setProperty(kConcealedProperty, true);
    // Qt keeps the first interface it made for a widget: drop it, so the
    // next query makes the concealed one.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

bool isConcealed(const QObject* object) {
    return object->property(kConcealedProperty).toBool();
}

// A concealed widget: invisible, nameless, without text, and without the
// text interface a bridge needs before it passes a text notice on.
class ConcealedAccessible : public QAccessibleWidget {
public:
    explicit ConcealedAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::NoRole) {}

    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        state.focusable = false;
        return state;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};

// The grid picture as a graphic of its own among the board's controls; it
// has no widget, since every control lies on the same surface.
class BoardPictureAccessible : public QAccessibleInterface {
public:
    explicit BoardPictureAccessible(QWidget* board) : board_(board) {}

    bool isValid() const override { return !board_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return board_ ? board_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(board_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            return QStringLiteral("piano cartesiano");
        case QAccessible::Description:
            // The lit point is named by its colour only, never by its place.
            return QStringLiteral("Griglia a quadretti con l'asse x orizzontale e l'asse y "
                                  "verticale, numerati da -5 a 5. Il punto da trovare è il cerchio "
                                  "rosso acceso sulla griglia.");
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!board_) {
            return {};
        }
        // The picture is drawn at the board's factor.
        const auto* board = qobject_cast<const Board*>(board_.data());
        const int side = scaledLength(kPictureSize, board != nullptr ? board->factor() : 1.0);
        return {board_->mapToGlobal(QPoint(0, 0)), QSize(side, side)};
    }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = board_ && !board_->isVisible();
        return state;
    }

private:
    QPointer<QWidget> board_;
};

// The board lists the grid picture first, then the controls that assistive
// technology may see: no concealed widget.
class BoardAccessible : public QAccessibleWidget {
public:
    explicit BoardAccessible(QWidget* board) : QAccessibleWidget(board, QAccessible::Client) {}
    ~BoardAccessible() override {
        if (pictureId_ != 0) {
            QAccessible::deleteAccessibleInterface(pictureId_);
        }
    }

    int childCount() const override { return 1 + static_cast<int>(controls().size()); }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) {
            return picture();
        }
        const QList<QWidget*> shown = controls();
        if (index < 0 || index > shown.size()) {
            return nullptr;
        }
        return QAccessible::queryAccessibleInterface(shown.at(index - 1));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) {
            return -1;
        }
        if (pictureId_ != 0 && child == QAccessible::accessibleInterface(pictureId_)) {
            return 0;
        }
        const qsizetype at = controls().indexOf(qobject_cast<QWidget*>(child->object()));
        return at < 0 ? -1 : static_cast<int>(at) + 1;
    }

private:
    QList<QWidget*> controls() const {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children()) {
            auto* control = qobject_cast<QWidget*>(object);
            if (control != nullptr && !control->isWindow() && !isConcealed(control)) {
                shown.append(control);
            }
        }
        return shown;
    }

    QAccessibleInterface* picture() const {
        if (pictureId_ == 0) {
            pictureId_ =
                QAccessible::registerAccessibleInterface(new BoardPictureAccessible(widget()));
        }
        return QAccessible::accessibleInterface(pictureId_);
    }

    mutable QAccessible::Id pictureId_ = 0;
};

QAccessibleInterface* windowAccessibleFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (isConcealed(widget)) {
        return new ConcealedAccessible(widget);
    }
    if (className == QLatin1String("Board")) {
        return new BoardAccessible(widget);
    }
    return nullptr;
}

QString withValue(const char* name, const QString& value) {
    return QString::fromUtf8(name) + QStringLiteral(": ") + value;
}

} // namespace

namespace WindowAccessibility {

void install() {
    static const bool installed = [] {
        QAccessible::installFactory(windowAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void describe(TavolaUi& ui) {
    // The hidden target fields, and the captions that only repeat what the
    // named controls below already say.
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             ui.Text1,      ui.Text2,   ui.Text3,    ui.Label11[0], ui.Label11[1],
             ui.Label11[2], ui.Label7,  ui.Label4,   ui.Label2,     ui.Label5,
             ui.Label8,     ui.Label6,  ui.Label1,   ui.Label3,     ui.Label14,
             ui.Label12,    ui.Label13, ui.lblpunti, ui.Image3,     ui.Image4}) {
        conceal(hidden);
    }

    ui.Text4->setAccessibleName(QStringLiteral("Ascissa"));
    ui.Text4->setAccessibleDescription(
        QStringLiteral("Scrivi l'ascissa x del punto rosso, un numero da -5 a 5, poi premi Invio "
                       "per passare all'ordinata."));
    ui.TXTANSWER->setAccessibleName(QStringLiteral("Ordinata"));
    ui.TXTANSWER->setAccessibleDescription(
        QStringLiteral("Scrivi l'ordinata y del punto rosso, un numero da -5 a 5, poi premi Invio "
                       "per controllare la risposta."));
    ui.cmdNext->setAccessibleName(QStringLiteral("Nuovo calcolo"));
    ui.cmdNext->setAccessibleDescription(
        QStringLiteral("Accende un nuovo punto rosso da trovare."));

    // The countdown is read whenever the pupil moves to it, but tells of a
    // change once a minute only: a screen reader is never told every second.
    ui.lblconto->setSpokenName(spokenCountdown);
    ui.lblScore->setSpokenName(
        [](const QString& shown) { return withValue("Risposte esatte", shown); });
    ui.lblScore1->setSpokenName(
        [](const QString& shown) { return withValue("Risposte errate", shown); });
    ui.lblScore2->setSpokenName(
        [](const QString& shown) { return withValue("Risposte totali", shown); });
    ui.lblnome1->setSpokenName([](const QString& shown) {
        return shown.isEmpty() ? QStringLiteral("Sfidante") : withValue("Sfidante", shown);
    });

    // The record holder's label speaks for the whole record line.
    CaptionLabel* score = ui.lblpunti;
    ui.lblnome->setSpokenName([score](const QString& shown) {
        return spokenRecord(shown, CaptionLabel::displayText(score->caption()));
    });
    QObject::connect(score, &CaptionLabel::captionChanged, ui.lblnome,
                     &CaptionLabel::refreshSpokenName);

    // The judgement is announced as soon as it shows.
    for (CaptionLabel* message : ui.lblMessage) {
        message->setSpokenName([](const QString& shown) { return shown; }, true);
    }
}

QString spokenCountdown(const QString& display) {
    const QStringList fields = display.split(QLatin1Char(':'));
    bool hoursRead = false;
    bool minutesRead = false;
    bool secondsRead = false;
    const int hours = fields.value(0).toInt(&hoursRead);
    const int minutes = fields.value(1).toInt(&minutesRead);
    const int seconds = fields.value(2).toInt(&secondsRead);
    if (fields.size() != 3 || !hoursRead || !minutesRead || !secondsRead) {
        return withValue("Tempo restante", display);
    }
    const int wholeMinutes = hours * 60 + minutes;
    if (wholeMinutes <= 0) {
        return seconds <= 0 ? QStringLiteral("Tempo scaduto")
                            : QStringLiteral("Tempo restante: meno di un minuto");
    }
    if (wholeMinutes == 1) {
        return QStringLiteral("Tempo restante: 1 minuto");
    }
    return QStringLiteral("Tempo restante: %1 minuti").arg(wholeMinutes);
}

QString spokenRecord(const QString& holder, const QString& score) {
    if (holder.trimmed().isEmpty() && score.trimmed().isEmpty()) {
        return QStringLiteral("Nessun record");
    }
    return QStringLiteral("Il record è di ") + holder.trimmed() + QStringLiteral(" con punti ") +
           score.trimmed();
}

} // namespace WindowAccessibility

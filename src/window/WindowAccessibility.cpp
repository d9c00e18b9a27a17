// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/WindowAccessibility.h"

#include "window/AnswerBox.h"
#include "window/Board.h"
#include "window/CaptionLabel.h"
#include "window/PictureButton.h"
#include "window/TavolaUi.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QTime>
#include <QTimer>
#include <QVariant>

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QAccessibleAnnouncementEvent>
#endif

namespace {

const char* const kConcealedProperty = "concealedFromAssistiveTechnology";
// What a control's description is made of: a notice, its own text and, for
// the answer boxes, the counts and the time left.
const char* const kNoticeProperty = "spokenNotice";
const char* const kNoticeOnceProperty = "spokenNoticeOnce";
const char* const kOwnDescriptionProperty = "spokenOwnDescription";
const char* const kStatusProperty = "spokenStatus";

void compose(QWidget* control) {
    QStringList parts;
    for (const char* property : {kNoticeProperty, kOwnDescriptionProperty, kStatusProperty}) {
        const QString part = control->property(property).toString();
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    const QString description = parts.join(QLatin1Char(' '));
    // Qt sends a change notice for every description set, even the same one.
    if (description != control->accessibleDescription()) {
        control->setAccessibleDescription(description);
    }
}

void describeAs(QWidget* control, const QString& own) {
    control->setProperty(kOwnDescriptionProperty, own);
    compose(control);
}

// Keeps the answer boxes' descriptions ending in the counts and the time
// left, as they are when a box takes the focus: a screen reader speaks
// them then, and again on request (Orca's "where am I"). A description that
// changed under the focus would be spoken again at once, so a box is never
// told while it has the focus.
class StatusTeller : public QObject {
public:
    StatusTeller(TavolaUi& ui, QObject* parent) : QObject(parent), ui_(ui) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* control = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::FocusIn) {
            control->setProperty(kStatusProperty, spokenStatus());
            compose(control);
        } else if (event->type() == QEvent::FocusOut &&
                   control->property(kNoticeOnceProperty).toBool()) {
            // Dropped once the focus has landed elsewhere, so the change is
            // no longer the focused control's; a control that has the focus
            // again by then keeps what it tells.
            QTimer::singleShot(0, control, [control] {
                if (!control->hasFocus()) {
                    control->setProperty(kNoticeOnceProperty, false);
                    WindowAccessibility::setNotice(control, {});
                }
            });
        }
        return false;
    }

private:
    QString spokenStatus() const {
        return WindowAccessibility::spokenScore(ui_) + QLatin1Char(' ') +
               WindowAccessibility::spokenCountdown(ui_.lblconto->text()) + QLatin1Char('.');
    }

    TavolaUi& ui_;
};

// A concealed widget: invisible, and without a name, a description or the
// text interface a bridge needs before it passes a text notice on.
class ConcealedAccessible : public QAccessibleWidget {
public:
    explicit ConcealedAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::NoRole) {}

    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

QAccessibleInterface* concealedFactory(const QString& /*className*/, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->property(kConcealedProperty).toBool()) {
        return nullptr;
    }
    return new ConcealedAccessible(widget);
}

// Keeps the widget out of assistive technology's way.
void conceal(QWidget* widget) {
    widget->setProperty(kConcealedProperty, true);
    // Qt keeps the first interface it made for a widget: drop it, so the
    // next query makes the concealed one.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

// From now on the label's accessible name is the spoken form of its shown
// caption, made again whenever that caption or `alsoOn`'s changes; Qt tells
// assistive technology of each name that changes.
template <typename Spoken>
void nameAfterCaption(CaptionLabel* label, Spoken spoken, CaptionLabel* alsoOn = nullptr) {
    const auto rename = [label, spoken] {
        const QString name = spoken(label->text());
        // Qt sends a change notice for every name set, even the same one.
        if (name != label->accessibleName()) {
            label->setAccessibleName(name);
        }
    };
    QObject::connect(label, &CaptionLabel::captionChanged, label, rename);
    if (alsoOn != nullptr) {
        QObject::connect(alsoOn, &CaptionLabel::captionChanged, label, rename);
    }
    rename();
}

QString withValue(const char* name, const QString& value) {
    return QString::fromUtf8(name) + QStringLiteral(": ") + value;
}

// The record line as one sentence.
QString spokenRecord(const QString& holder, const QString& score) {
    if (holder.trimmed().isEmpty() && score.trimmed().isEmpty()) {
        return QStringLiteral("Nessun record");
    }
    return QStringLiteral("Il record è di ") + holder.trimmed() + QStringLiteral(" con punti ") +
           score.trimmed();
}

} // namespace

namespace WindowAccessibility {

void describe(TavolaUi& ui) {
    QAccessible::installFactory(concealedFactory);
    // The captions and pictures that only repeat what the named controls
    // below already say.
    for (QWidget* repeated : std::initializer_list<QWidget*>{
             ui.Label11[0], ui.Label11[1], ui.Label11[2], ui.Label7, ui.Label4, ui.Label2,
             ui.Label5, ui.Label8, ui.Label6, ui.Label1, ui.Label3, ui.Label14, ui.Label12,
             ui.Label13, ui.lblpunti, ui.Image3, ui.Image4}) {
        conceal(repeated);
    }

    ui.board->setAccessibleName(QStringLiteral("piano cartesiano"));
    // The lit point is named by its colour only, never by its place.
    ui.board->setAccessibleDescription(
        QStringLiteral("Griglia a quadretti con l'asse x orizzontale e l'asse y verticale, "
                       "numerati da -5 a 5. Il punto da trovare è il cerchio rosso acceso "
                       "sulla griglia."));
    ui.Text4->setAccessibleName(QStringLiteral("Ascissa"));
    describeAs(
        ui.Text4,
        QStringLiteral("Scrivi l'ascissa x del punto rosso, un numero da -5 a 5, poi premi Invio "
                       "per passare all'ordinata."));
    ui.TXTANSWER->setAccessibleName(QStringLiteral("Ordinata"));
    describeAs(
        ui.TXTANSWER,
        QStringLiteral("Scrivi l'ordinata y del punto rosso, un numero da -5 a 5, poi premi Invio "
                       "per controllare la risposta."));
    ui.cmdNext->setAccessibleName(QStringLiteral("Nuovo calcolo"));
    describeAs(ui.cmdNext, QStringLiteral("Accende un nuovo punto rosso da trovare."));
    auto* statusTeller = new StatusTeller(ui, ui.board);
    ui.Text4->installEventFilter(statusTeller);
    ui.TXTANSWER->installEventFilter(statusTeller);

    // The countdown is read whenever the pupil moves to it, but tells of a
    // change once a minute only: a screen reader is never told every second.
    nameAfterCaption(ui.lblconto, spokenCountdown);
    nameAfterCaption(ui.lblScore,
                     [](const QString& shown) { return withValue("Risposte esatte", shown); });
    nameAfterCaption(ui.lblScore1,
                     [](const QString& shown) { return withValue("Risposte errate", shown); });
    nameAfterCaption(ui.lblScore2,
                     [](const QString& shown) { return withValue("Risposte totali", shown); });
    nameAfterCaption(ui.lblnome1, [](const QString& shown) {
        return shown.isEmpty() ? QStringLiteral("Sfidante") : withValue("Sfidante", shown);
    });

    // The record holder's label speaks for the whole record line.
    CaptionLabel* score = ui.lblpunti;
    nameAfterCaption(
        ui.lblnome, [score](const QString& shown) { return spokenRecord(shown, score->text()); },
        score);
}

void setNotice(QWidget* control, const QString& notice) {
    control->setProperty(kNoticeProperty, notice);
    compose(control);
}

void tellNewQuestion(QWidget* control, const QString& notice) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // After the focus has landed and the boxes are emptied.
    QTimer::singleShot(0, control, [control, notice] {
        QAccessibleAnnouncementEvent announcement(control, notice);
        QAccessible::updateAccessibility(&announcement);
    });
#else
    control->setProperty(kNoticeOnceProperty, true);
    setNotice(control, notice);
#endif
}

QString spokenScore(const TavolaUi& ui) {
    return withValue("Risposte esatte", ui.lblScore->text()) + QStringLiteral(". ") +
           withValue("Risposte errate", ui.lblScore1->text()) + QStringLiteral(". ") +
           withValue("Risposte totali", ui.lblScore2->text()) + QLatin1Char('.');
}

QString spokenCountdown(const QString& display) {
    const QTime left = QTime::fromString(display, QStringLiteral("hh:mm:ss"));
    if (!left.isValid()) {
        return withValue("Tempo restante", display);
    }
    const int wholeMinutes = left.hour() * 60 + left.minute();
    if (wholeMinutes == 0) {
        return left.second() == 0 ? QStringLiteral("Tempo scaduto")
                                  : QStringLiteral("Tempo restante: meno di un minuto");
    }
    if (wholeMinutes == 1) {
        return QStringLiteral("Tempo restante: 1 minuto");
    }
    return QStringLiteral("Tempo restante: %1 minuti").arg(wholeMinutes);
}

} // namespace WindowAccessibility

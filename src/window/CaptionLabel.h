// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <QString>
#include <functional>

// A static text of the window. It keeps its caption exactly as given (a
// record file's line terminators included) while showing it without stray
// carriage-return glyphs, always as plain text. An auto-size label grows from
// its left edge to fit each new caption.
class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    // Makes the name assistive technology reads from the shown caption.
    using SpokenName = std::function<QString(const QString& shown)>;

    explicit CaptionLabel(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    void setAutoSize(bool autoSize);

    // Moves the label to the given place; an auto-size label that has fitted
    // a caption fits it again there, in its present font.
    void placeAt(const QRect& geometry);

    // From now on the label's accessible name follows each caption through
    // spokenName; screen readers are told when that name changes. A label
    // that alerts is announced every time it gets a caption that is not
    // empty, the same message twice included.
    void setSpokenName(SpokenName spokenName, bool alerts = false);
    // Makes the accessible name again, for a spoken name that reads more
    // than this label's own caption.
    void refreshSpokenName();

    static QString displayText(const QString& caption);

signals:
    void captionChanged();

private:
    void fitToCaption();
    // Returns whether the accessible name changed.
    bool updateAccessibleName();
    void announce(bool renamed);

    QString caption_;
    bool autoSize_ = false;
    bool fitted_ = false;
    SpokenName spokenName_;
    bool alerts_ = false;
};

#pragma once

#include <QString>
#include <ostream>

// GoogleTest shows a failing QString as its text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor for the game's start-up: a bare Qt Widgets program that does
// what the game does before its first box (application name, Fusion style,
// Qt's own texts in Italian, the window's font substitutions) and then shows
// the same name box, and nothing else.

#include <QApplication>
#include <QFont>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trovapunti"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QTranslator translator;
    if (translator.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&translator);
    }

    const QString sans = QStringLiteral("Liberation Sans");
    const QString serif = QStringLiteral("Liberation Serif");
    for (const char* face : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Arial Black"}) {
        QFont::insertSubstitution(QString::fromLatin1(face), sans);
    }
    for (const char* face : {"Times New Roman", "MS Serif"}) {
        QFont::insertSubstitution(QString::fromLatin1(face), serif);
    }

    QInputDialog box;
    box.setWindowTitle(QStringLiteral("Trovapunti"));
    box.setLabelText(QStringLiteral("Come ti chiami?"));
    box.setTextValue(QString());
    box.setInputMode(QInputDialog::TextInput);
    box.exec();
    return 0;
}

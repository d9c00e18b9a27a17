// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/ItalianQtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installItalianQtTexts(QCoreApplication& application) {
    // The application owns it, whether it loads or not.
    auto* translator = new QTranslator(&application);
    return translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
           QCoreApplication::installTranslator(translator);
}

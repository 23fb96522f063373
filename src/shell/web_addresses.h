#pragma once
// Addresses of the maker's web server: the one place to change them.
#include <QString>

// The program's home page, shown when a local page is missing.
inline const QString HomeAddress = QStringLiteral("https://vexa.example.org/");
// The on-line resources centre.
inline const QString ResourcesAddress =
    QStringLiteral("https://vexa.example.org/resources/fxls/showx.php");
// Pages of the about box.
inline const QString AuthorsAddress = QStringLiteral("https://vexa.example.org/authors.htm");
inline const QString ContactMailAddress = QStringLiteral("mailto:vexa@vexa.example.org");

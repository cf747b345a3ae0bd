#include "platform/qt/detail/TextIniFormat.h"

#include "support/TempDir.h"

#include <QSettings>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

using ostrel::platform::detail::textIniFormat;
using ostrel::test::readFile;

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

TEST(TextIniFormatTest, QtTypedValuesReadAsTheTextTheyAre) {
    const ostrel::test::TempDir dir;
    // A crafted @Variant asks QSettings' own reader for a 13 GB byte array.
    const std::string file =
        dir.write("Zelvamont.ini", "[General]\n"
                                   "a=@Variant(\\0\\0\\0\\f\\xff\\xff\\xff\\xf0)\n"
                                   "b=@ByteArray(x)\n"
                                   "c=@Rect(1 2 3 4)\n"
                                   "d=@Invalid()\n"
                                   "e=@@Variant(x)\n"
                                   "f=@String(x)\n");
    const QSettings settings(QString::fromStdString(file), textIniFormat());
    const std::pair<const char*, const char*> rows[] = {
        {"b", "@ByteArray(x)"}, {"c", "@Rect(1 2 3 4)"},
        {"d", "@Invalid()"},    {"e", "@Variant(x)"}, // "@@" is how a leading "@" is written
        {"f", "@String(x)"},
    };
    for (const auto& [name, value] : rows) {
        EXPECT_EQ(settings.value(QLatin1String(name)), text(value)) << name;
    }
    const QString crafted = text("@Variant(") + QString(3, QChar(0)) + QChar(u'\f') +
                            QString(3, QChar(0xFF)) + QChar(0xF0) + QChar(u')');
    EXPECT_EQ(settings.value(text("a")), crafted);
}

TEST(TextIniFormatTest, FilesAreWrittenAndReadAsQtWritesThem) {
    const ostrel::test::TempDir dir;
    const char* const values[] = {"de",
                                  "hex:01,02",
                                  "a=b",
                                  " lead",
                                  "trail ",
                                  "",
                                  "q\"x",
                                  "back\\slash",
                                  "tab\tline\nend\r",
                                  "x\0011F",
                                  "\037ag",
                                  "@@two",
                                  "@Variant(x)",
                                  "Žluťoučký kůň \xF0\x9F\x98\x80",
                                  "#[x]%;"};
    const QString names[] = {text("Language"),       text("sec tion/name"), text("General/x"),
                             text("a/b/c"),          text("Ünï/ké y!"),     text("λ"),
                             text("5.0/Last-used_x")};
    const QString qtFile = QString::fromStdString(dir.file("qt.ini"));
    const QString ourFile = QString::fromStdString(dir.file("ours.ini"));
    {
        QSettings qt(qtFile, QSettings::IniFormat);
        QSettings ours(ourFile, textIniFormat());
        std::size_t i = 0;
        for (const char* value : values) {
            for (QSettings* settings : {&qt, &ours}) {
                settings->setValue(names[i % std::size(names)] + QString::number(i), text(value));
            }
            ++i;
        }
    }
    EXPECT_EQ(readFile(ourFile.toStdString()), readFile(qtFile.toStdString()));

    const QSettings read(qtFile, textIniFormat());
    std::size_t i = 0;
    for (const char* value : values) {
        EXPECT_EQ(read.value(names[i % std::size(names)] + QString::number(i)), text(value)) << i;
        ++i;
    }
}

TEST(TextIniFormatTest, HandWrittenLinesReadAsQtReadsThem) {
    const ostrel::test::TempDir dir;
    const std::string file = dir.write("Ostrel.ini", "\xEF\xBB\xBF[5.0]\r\n"
                                                     "  a = x ; a comment\n"
                                                     "b=\"q;r\" tail\n"
                                                     "c=one, two ,\"three, four\"\n"
                                                     "d=cont\\\ninued\n"
                                                     "e=\\x41\\102\\u0043\\q\n"
                                                     ";f=1\n"
                                                     "#g=2\n"
                                                     "no equals sign\n"
                                                     "[%General]\n"
                                                     "h=1\n"
                                                     "[general]\n"
                                                     "i=1\n");
    const QSettings settings(QString::fromStdString(file), textIniFormat());
    EXPECT_EQ(settings.allKeys(),
              (QStringList{text("5.0/#g"), text("5.0/a"), text("5.0/b"), text("5.0/c"),
                           text("5.0/d"), text("5.0/e"), text("General/h"), text("i")}));
    EXPECT_EQ(settings.value(text("5.0/a")), text("x"));
    EXPECT_EQ(settings.value(text("5.0/b")), text("q;rtail"));
    EXPECT_EQ(settings.value(text("5.0/c")),
              (QStringList{text("one"), text("two"), text("three, four")}));
    EXPECT_EQ(settings.value(text("5.0/d")), text("continued"));
    EXPECT_EQ(settings.value(text("5.0/e")), text("AB0043"));
}

} // namespace

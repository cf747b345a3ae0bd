// The identification dialog against bare Qt widgets, measured in one run on
// Qt's offscreen platform:
//   OpenDialog         constructing the dialog on a document of 50 attributes
//                      (settings, rows, texts, focus), showing it and letting
//                      the event loop paint it whole, then closing it;
//   OpenBareDialog     the baseline: a QDialog with the same 50 labels, line
//                      editors and image buttons at the same places, a check
//                      box and two push buttons, shown, painted (the same way)
//                      and closed;
//   CorrectKeystroke   a masked field after a keystroke ("ab1234" typed into
//                      ">AA-9999999"): the change handler fits the text and
//                      shows "AB-1234" with the caret kept;
//   BareSetText        the baseline: QLineEdit::setText of the same text.
// The reporter prints OpenDialog / OpenBareDialog (at most 1.5) and
// CorrectKeystroke / BareSetText (at most 2). Measure a Release build.
#include "RatioReporter.h"

#include "document/CMEditableDocument.h"
#include "host/common/AttributeTemplate.h"
#include "host/common/OstrelDocAttribute.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "identification/qt/CSelectorEdit.h"
#include "identification/qt/DocumentIdentificationDlg2.h"
#include "platform/MemoryRegistry.h"
#include "platform/qt/detail/DialogSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int kAttributes = 50;
const char* const kKey = "Software\\Zelvamont\\Ostrel\\5.0";

std::string nameOf(int i) {
    return "Attribute" + std::to_string(i);
}

/// A document of 50 editable attributes, every third with a mask, with a
/// last value stored for each name (so every button is enabled and has a
/// tooltip) and a value in the first, so nothing is inserted at start.
CMEditableDocument& documentOf50() {
    static CMEditableDocument document = [] {
        CMEditableDocument made("Bench.Document");
        std::string stored;
        for (int i = 0; i < kAttributes; ++i) {
            AttributeTemplate t(nameOf(i));
            t.setProperty("name", "Attribute " + std::to_string(i))
                .setProperty("size", "20")
                .setProperty("mask", i % 3 == 0 ? ">AA-9999999" : "");
            auto* attribute = new OstrelDocAttribute(&t);
            attribute->setValue(i == 0 ? "AB-1" : "");
            if (!made.addProperty(attribute)) {
                std::abort(); // every name differs
            }
            const std::string name = nameOf(i);
            stored +=
                std::to_string(name.size()) + ":" + name + "5:V-" + std::to_string(10 + i) + "1:0";
        }
        auto store = std::make_unique<ostrel::platform::MemoryRegistry>();
        if (!store->setValue(ostrel::platform::RegistryRoot::CurrentUser, kKey, "LastUsedIdents",
                             ostrel::platform::RegistryValue::string(stored))) {
            std::abort();
        }
        ostrel::platform::Registry::setDefault(std::move(store));
        return made;
    }();
    return document;
}

void OpenDialog(benchmark::State& state) {
    CMEditableDocument& document = documentOf50();
    OstrelDomainConfiguration configuration;
    for (auto _ : state) {
        DocumentIdentificationDlg2 dialog(document, &configuration);
        dialog.show();
        QApplication::processEvents();
    }
}

void OpenBareDialog(benchmark::State& state) {
    const QIcon icon = ostrel::platform::svgIcon(QStringLiteral(":/ostrel/last-value.svg"));
    for (auto _ : state) {
        QDialog dialog;
        dialog.resize(371, 50 * 26 + 60);
        for (int i = 0; i < kAttributes; ++i) {
            const int y = 8 + 26 * i;
            auto* label = new QLabel(QStringLiteral("Attribute %1").arg(i), &dialog);
            label->setGeometry(10, y, 76, 22);
            auto* button = new QToolButton(&dialog);
            button->setIcon(icon);
            button->setIconSize(QSize(12, 12));
            button->setToolTip(QStringLiteral("V-%1").arg(10 + i));
            button->move(100, y);
            auto* line = new QLineEdit(i == 0 ? QStringLiteral("AB-1") : QString(), &dialog);
            line->setGeometry(125, y, 190, 22);
        }
        new QCheckBox(QStringLiteral("Remember cursor"), &dialog);
        new QPushButton(QStringLiteral("OK"), &dialog);
        new QPushButton(QStringLiteral("Cancel"), &dialog);
        dialog.show();
        QApplication::processEvents();
    }
}

void CorrectKeystroke(benchmark::State& state) {
    CMEditableDocument& document = documentOf50();
    OstrelDomainConfiguration configuration;
    DocumentIdentificationDlg2 dialog(document, &configuration);
    dialog.show();
    auto* field = dialog.findChild<CSelectorEdit*>(QStringLiteral("field130"));
    auto* line = qobject_cast<QLineEdit*>(field->editor());
    const QString typed = QStringLiteral("ab1234");
    for (auto _ : state) {
        state.PauseTiming();
        // What the keystroke left in the field, before its change is handled.
        line->blockSignals(true);
        line->setText(typed);
        line->blockSignals(false);
        state.ResumeTiming();
        field->OnEnChange();
    }
    if (line->text() != QStringLiteral("AB-1234") || line->cursorPosition() != 6) {
        state.SkipWithError("the keystroke was not corrected");
    }
}

void BareSetText(benchmark::State& state) {
    QDialog dialog;
    auto* line = new QLineEdit(&dialog);
    line->setGeometry(125, 8, 190, 22);
    dialog.show();
    const QString typed = QStringLiteral("ab1234");
    const QString fitted = QStringLiteral("AB-1234");
    for (auto _ : state) {
        state.PauseTiming();
        line->setText(typed);
        state.ResumeTiming();
        line->setText(fitted);
    }
}

BENCHMARK(OpenDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenBareDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK(CorrectKeystroke)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareSetText)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    return ostrel::bench::runWithRatios(argc, argv, [](auto& report) {
        report.ratio("OpenDialog", "OpenBareDialog", 1.5);
        report.ratio("CorrectKeystroke", "BareSetText", 2);
    });
}

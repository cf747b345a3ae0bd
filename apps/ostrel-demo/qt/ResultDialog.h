#pragma once

#include <QDialog>

namespace ostrel::demo {

/// Shows the record of a filed document: where it was filed and its XML.
/// Enter or Escape closes it.
class ResultDialog : public QDialog {
    Q_OBJECT
public:
    ResultDialog(const QString& file, const QString& record, QWidget* parent = nullptr);
};

} // namespace ostrel::demo

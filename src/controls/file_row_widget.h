#pragma once

#include <QString>

class QFormLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace trochodraw {

// The "File:" row of an export dialog: a name edit ("FileEdit") that takes the spare width
// and a "Browse..." button ("BrowseBtn") beside it.
struct TFileRow {
  QLineEdit* Edit;
  QPushButton* Browse;
};

TFileRow AddFileRow(QFormLayout* Form, QWidget* Owner, const QString& Placeholder);

}  // namespace trochodraw

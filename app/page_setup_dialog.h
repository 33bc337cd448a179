#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace vantaro {
struct Options;
}

namespace vantaro::app {

// File > Page Setup: the ten print settings, shown as the options hold them.
// The caller runs it with exec() and, on QDialog::Accepted, has Apply write
// them back. Values that print as another (a Print-PageType other than 1, a
// Print-FigurePerPage other than 1, 2, 4 or 6) show, and are written, as
// the value they print as.
class CDlgPageSetup : public QDialog {
  Q_OBJECT

 public:
  CDlgPageSetup(const Options& options, QWidget* parent = nullptr);

  void Apply(Options& options) const;

  QComboBox* cutting() const { return cutting_; }
  QSpinBox* movesPerFigure() const { return movesPerFigure_; }
  QComboBox* figuresPerPage() const { return figuresPerPage_; }
  QCheckBox* moveNumbers() const { return moveNumbers_; }
  QCheckBox* markers() const { return markers_; }
  QCheckBox* coordinates() const { return coordinates_; }
  QLineEdit* title() const { return title_; }
  QLineEdit* subtitle() const { return subtitle_; }
  QLineEdit* header() const { return header_; }
  QLineEdit* footer() const { return footer_; }

 private:
  QComboBox* cutting_;
  QSpinBox* movesPerFigure_;
  QComboBox* figuresPerPage_;
  QCheckBox* moveNumbers_;
  QCheckBox* markers_;
  QCheckBox* coordinates_;
  QLineEdit* title_;
  QLineEdit* subtitle_;
  QLineEdit* header_;
  QLineEdit* footer_;
};

}  // namespace vantaro::app

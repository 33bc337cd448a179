#include "app/page_setup_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "options/options.h"
#include "render/printout.h"

namespace vantaro::app {
namespace {

// The page grids a printout has (FiguresPerPage); Print-FigurePerPage stores the count.
constexpr int kFigureCounts[] = {1, 2, 4, 6};

QLineEdit* TemplateEdit(const std::u16string& text, QWidget* parent) {
  auto* edit = new QLineEdit(QString::fromStdU16String(text), parent);
  edit->setMinimumWidth(360);
  return edit;
}

std::u16string TemplateText(const QLineEdit& edit) {
  return edit.text().toStdU16String();
}

}  // namespace

CDlgPageSetup::CDlgPageSetup(const Options& options, QWidget* parent)
    : QDialog(parent),
      cutting_(new QComboBox(this)),
      movesPerFigure_(new QSpinBox(this)),
      figuresPerPage_(new QComboBox(this)),
      moveNumbers_(new QCheckBox(QStringLiteral("Move &numbers"), this)),
      markers_(new QCheckBox(QStringLiteral("&Markers and labels"), this)),
      coordinates_(new QCheckBox(QStringLiteral("&Coordinates"), this)),
      title_(TemplateEdit(options.printTitleString, this)),
      subtitle_(TemplateEdit(options.printSubTitle, this)),
      header_(TemplateEdit(options.printHeader, this)),
      footer_(TemplateEdit(options.printFooter, this)) {
  setWindowTitle(QStringLiteral("Page Setup"));
  cutting_->addItems({QStringLiteral("A fixed number of moves"),
                      QStringLiteral("A fixed number of moves, or up to a comment")});
  cutting_->setCurrentIndex(options.printPageType == 1 ? 1 : 0);
  movesPerFigure_->setRange(1, 1000);
  movesPerFigure_->setValue(options.printFixedMoveCount);
  for (const int count : kFigureCounts) figuresPerPage_->addItem(QString::number(count), count);
  figuresPerPage_->setCurrentIndex(
      figuresPerPage_->findData(FiguresPerPage(options.printFigurePerPage)));
  moveNumbers_->setChecked(options.printShowMoveNumber);
  markers_->setChecked(options.printShowMarkers);
  coordinates_->setChecked(options.printShowCoord);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Each figure holds:"), cutting_);
  form->addRow(QStringLiteral("M&oves per figure:"), movesPerFigure_);
  form->addRow(QStringLiteral("&Figures per page:"), figuresPerPage_);
  form->addRow(QString(), moveNumbers_);
  form->addRow(QString(), markers_);
  form->addRow(QString(), coordinates_);
  form->addRow(QStringLiteral("&Title:"), title_);
  form->addRow(QStringLiteral("&Subtitle:"), subtitle_);
  form->addRow(QStringLiteral("&Header:"), header_);
  form->addRow(QStringLiteral("Foo&ter:"), footer_);
  auto* hint = new QLabel(
      QStringLiteral("In the texts %GN%, %PW% or any other property of the game stands for its "
                     "value, %PAGE% and %TOTALPAGES% for the page numbers, %% for a percent sign."),
      this);
  hint->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(hint);
  layout->addWidget(buttons);
}

void CDlgPageSetup::Apply(Options& options) const {
  options.printPageType = cutting_->currentIndex();
  options.printFixedMoveCount = movesPerFigure_->value();
  options.printFigurePerPage = figuresPerPage_->currentData().toInt();
  options.printShowMoveNumber = moveNumbers_->isChecked();
  options.printShowMarkers = markers_->isChecked();
  options.printShowCoord = coordinates_->isChecked();
  options.printTitleString = TemplateText(*title_);
  options.printSubTitle = TemplateText(*subtitle_);
  options.printHeader = TemplateText(*header_);
  options.printFooter = TemplateText(*footer_);
}

}  // namespace vantaro::app

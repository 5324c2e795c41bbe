#include "app/dialogs/config_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "app/window/click_functions.h"
#include "ui/drag_edit.h"
#include "ui/font_name_combo_box.h"

namespace orvana::app {
namespace {

constexpr int kListRowHeight = 14;
constexpr int kShortestClickWait = 100;
constexpr int kLongestClickWait = 3000;

constexpr const char* kClickKindTexts[kClickFunctionSlots] = {
    QT_TRANSLATE_NOOP("Config", "左／シングルクリック"), QT_TRANSLATE_NOOP("Config", "左／ダブルクリック"),
    QT_TRANSLATE_NOOP("Config", "左／トリプルクリック"), QT_TRANSLATE_NOOP("Config", "右／シングルクリック"),
    QT_TRANSLATE_NOOP("Config", "右／ダブルクリック"),   QT_TRANSLATE_NOOP("Config", "右／トリプルクリック"),
};

// The language names are written in their own language in both interfaces.
constexpr struct {
  TLanguageChoice choice;
  const char* name;
} kLanguages[] = {
    {TLanguageChoice::Automatic, QT_TRANSLATE_NOOP("Config", "自動")},
    {TLanguageChoice::Japanese, "日本語"},
    {TLanguageChoice::English, "English"},
};

QString Text(const char* source) { return QCoreApplication::translate("Config", source); }

// Rows of texts translated in context "Config".
QListWidget* FixedRowList(const char* const* texts, int count, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setUniformItemSizes(true);
  for (int row = 0; row < count; ++row) {
    auto* item = new QListWidgetItem(Text(texts[row]), list);
    item->setSizeHint(QSize(0, kListRowHeight));
  }
  // Every row in sight: seven functions are few enough to need no scrolling.
  list->setMinimumHeight(count * kListRowHeight + 2 * list->frameWidth());
  return list;
}

// A track bar with its two end labels beneath it.
QWidget* LabelledSlider(QSlider* slider, const QString& low, const QString& high, QWidget* parent) {
  auto* group = new QWidget(parent);
  auto* layout = new QGridLayout(group);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(slider, 0, 0, 1, 2);
  layout->addWidget(new QLabel(low, group), 1, 0, Qt::AlignLeft);
  layout->addWidget(new QLabel(high, group), 1, 1, Qt::AlignRight);
  return group;
}

QGroupBox* Group(const QString& title, QWidget* content, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(8, 4, 8, 6);  // room for every row in the fixed height
  layout->addWidget(content);
  return group;
}

}  // namespace

TdlgConfig::TdlgConfig(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      PageControl1(new QTabWidget(this)) {
  setObjectName("dlgConfig");
  setWindowTitle(QCoreApplication::translate("Config", "Orvana - 設定"));
  TabSheet1 = BuildGeneralPage();
  tbsTrayIcon = BuildTrayPage();
  PageControl1->addTab(TabSheet1, QCoreApplication::translate("Config", "一般"));
  PageControl1->addTab(tbsTrayIcon, QCoreApplication::translate("Config", "トレイアイコン"));
  PageControl1->setCurrentIndex(0);
  connect(PageControl1, &QTabWidget::currentChanged, this, &TdlgConfig::PageControl1Change);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QCoreApplication::translate("Config", "キャンセル"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(PageControl1);
  layout->addWidget(buttons);
  setFixedSize(kClientWidth, kClientHeight);
}

QWidget* TdlgConfig::BuildGeneralPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet1");
  FontNameComboBox1 = new ui::TFontNameComboBox(page);
  FontNameComboBox1->setObjectName("FontNameComboBox1");
  DragEdit1 = new ui::TDragEdit(page);
  DragEdit1->setObjectName("DragEdit1");
  DragEdit1->SetMinValue(QString::number(kMinFontSize));
  DragEdit1->SetMaxValue(QString::number(kMaxFontSize));
  DragEdit1->SetIncrement(QStringLiteral("1"));
  DragEdit1->SetRangeLimited(true);
  DragEdit1->setFixedWidth(56);
  auto* font = new QWidget(page);
  auto* fontRow = new QHBoxLayout(font);
  fontRow->setContentsMargins(0, 0, 0, 0);
  fontRow->addWidget(FontNameComboBox1, 1);
  fontRow->addWidget(DragEdit1);

  trcPriority = new QSlider(Qt::Horizontal, page);
  trcPriority->setObjectName("trcPriority");
  trcPriority->setRange(kLowestPriority, kHighestPriority);
  trcPriority->setTickPosition(QSlider::TicksBelow);
  trcPriority->setTickInterval(1);
  trcPriority->setPageStep(1);

  chkSubFolder = new QCheckBox(QCoreApplication::translate("Config", "サブフォルダも検索する(&S)"), page);
  chkSubFolder->setObjectName("chkSubFolder");
  chkCheckTag = new QCheckBox(QCoreApplication::translate("Config", "ファイルを追加するときにタグを読み込む(&T)"), page);
  chkCheckTag->setObjectName("chkCheckTag");

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Group(QCoreApplication::translate("Config", "プレイリストのフォント(&F)"), font, page));
  layout->addWidget(Group(QCoreApplication::translate("Config", "再生の優先度(&P)"),
                          LabelledSlider(trcPriority, QCoreApplication::translate("Config", "低い"),
                                         QCoreApplication::translate("Config", "高い"), page),
                          page));
  layout->addWidget(chkSubFolder);
  layout->addWidget(chkCheckTag);
  layout->addWidget(BuildLanguageRow(page));
  layout->addStretch();
  return page;
}

// The choice, and beside it when it takes effect.
QWidget* TdlgConfig::BuildLanguageRow(QWidget* page) {
  auto* row = new QWidget(page);
  auto* label = new QLabel(QCoreApplication::translate("Config", "言語(&L):"), row);
  cmbLanguage = new QComboBox(row);
  label->setBuddy(cmbLanguage);
  cmbLanguage->setObjectName("cmbLanguage");
  for (const auto& language : kLanguages)
    cmbLanguage->addItem(language.choice == TLanguageChoice::Automatic ? Text(language.name)
                                                                       : QString::fromUtf8(language.name));
  auto* note = new QLabel(QCoreApplication::translate("Config", "次回の起動から有効になります"), row);
  note->setObjectName("lblLanguageNote");
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(cmbLanguage);
  layout->addWidget(note, 1);
  return row;
}

QWidget* TdlgConfig::BuildTrayPage() {
  auto* page = new QWidget;
  page->setObjectName("tbsTrayIcon");
  trcTrayIcon = new QSlider(Qt::Horizontal, page);
  trcTrayIcon->setObjectName("trcTrayIcon");
  trcTrayIcon->setRange(kShortestClickWait, kLongestClickWait);
  trcTrayIcon->setSingleStep(100);
  trcTrayIcon->setPageStep(500);
  trcTrayIcon->setTickPosition(QSlider::TicksBelow);
  trcTrayIcon->setTickInterval(500);

  lstClickKind = FixedRowList(kClickKindTexts, kClickFunctionSlots, page);
  lstClickKind->setObjectName("lstClickKind");
  lstFunction = FixedRowList(kClickFunctionTexts, kClickFunctionCount, page);
  lstFunction->setObjectName("lstFunction");
  connect(lstClickKind, &QListWidget::currentRowChanged, this, &TdlgConfig::lstClickKindClick);
  connect(lstFunction, &QListWidget::currentRowChanged, this, &TdlgConfig::lstFunctionClick);
  auto* lists = new QWidget(page);
  auto* listRow = new QHBoxLayout(lists);
  listRow->setContentsMargins(0, 0, 0, 0);
  listRow->addWidget(lstClickKind);
  listRow->addWidget(lstFunction);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Group(QCoreApplication::translate("Config", "クリックの待ち受け時間(&T)"),
                          LabelledSlider(trcTrayIcon, QCoreApplication::translate("Config", "0.1秒"),
                                         QCoreApplication::translate("Config", "3秒"), page),
                          page));
  layout->addWidget(Group(QCoreApplication::translate("Config", "操作(&O)"), lists, page), 1);
  return page;
}

void TdlgConfig::Fill(const TConfigValues& values) {
  chkSubFolder->setChecked(values.subFolder);
  chkCheckTag->setChecked(values.checkTag);
  int face = FontNameComboBox1->findText(values.fontName);
  if (face < 0) face = FontNameComboBox1->findText(values.drawnFontName);
  FontNameComboBox1->setCurrentIndex(face);
  storedFontName_ = values.fontName;
  shownFontName_ = FontNameComboBox1->Value();
  DragEdit1->SetPosition(values.fontSize);
  trcPriority->setValue(values.priority);
  trcTrayIcon->setValue(values.clickWait);
  clickFunctions_ = values.clickFunctions;
  for (int index = 0; index < int(std::size(kLanguages)); ++index)
    if (kLanguages[index].choice == values.language) cmbLanguage->setCurrentIndex(index);
}

TConfigValues TdlgConfig::Values() const {
  TConfigValues values;
  values.subFolder = chkSubFolder->isChecked();
  values.checkTag = chkCheckTag->isChecked();
  const QString face = FontNameComboBox1->Value();
  values.fontName = face == shownFontName_ ? storedFontName_ : face;
  // Typing is not range-limited, only dragging: a size the list cannot use
  // is pulled into the range here.
  values.fontSize = std::clamp(DragEdit1->Position(), kMinFontSize, kMaxFontSize);
  values.priority = trcPriority->value();
  values.clickWait = trcTrayIcon->value();
  values.clickFunctions = clickFunctions_;
  values.language = kLanguages[std::max(cmbLanguage->currentIndex(), 0)].choice;
  return values;
}

void TdlgConfig::PageControl1Change() {
  if (PageControl1->currentWidget() != tbsTrayIcon) return;
  if (lstClickKind->currentRow() < 0) lstClickKind->setCurrentRow(0);
  lstClickKindClick();
}

void TdlgConfig::lstClickKindClick() {
  const int slot = lstClickKind->currentRow();
  if (slot < 0 || slot >= kClickFunctionSlots) return;
  lstFunction->setCurrentRow(clickFunctions_[std::size_t(slot)]);
}

void TdlgConfig::lstFunctionClick() {
  const int slot = lstClickKind->currentRow();
  const int function = lstFunction->currentRow();
  if (slot < 0 || slot >= kClickFunctionSlots || function < 0) return;
  clickFunctions_[std::size_t(slot)] = std::uint8_t(function);
}

}  // namespace orvana::app

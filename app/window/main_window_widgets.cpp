#include "app/window/main_window_widgets.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/window/japanese_fonts.h"
#include "app/window/tool_icons.h"

namespace orvana::app {
namespace {

constexpr int kEditLeft = 4;  // the edits' left margin inside Panel1
constexpr int kVolumeSliderWidth = 80;

QLabel* NamedLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QLineEdit* NowPlayingEdit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setReadOnly(true);
  edit->setFrame(false);
  edit->setFocusPolicy(Qt::ClickFocus);
  edit->setTextMargins(0, 0, 0, 0);
  // The window colour, so the edits read as text on the panel.
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  edit->setPalette(palette);
  return edit;
}

void BuildToolBar(TMainWindowWidgets& w, const TActionList& actions) {
  w.ToolBar1 = new QToolBar(w.Panel2);
  w.ToolBar1->setObjectName("ToolBar1");
  w.ToolBar1->setIconSize(QSize(16, 16));
  w.ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
  w.ToolBar1->setMovable(false);
  w.ToolBar1->setFloatable(false);
  const auto add = [&](TActionId id) {
    QAction* action = actions.QtAction(id);
    action->setIcon(ToolIcon(id));
    w.ToolBar1->addAction(action);
    return qobject_cast<QToolButton*>(w.ToolBar1->widgetForAction(action));
  };
  w.fileButton = add(aiAddFolder);
  w.configButton = add(aiOptions);
  w.ToolBar1->addSeparator();
  for (TActionId id : {aiPrevious, aiStop, aiPause, aiPlay, aiNext}) add(id);
  w.ToolBar1->addSeparator();
  for (TActionId id : {aiRepeat, aiShuffle}) add(id);
  w.ToolBar1->addSeparator();
  for (TActionId id : {aiWakeup, aiSleep}) add(id);
  w.ToolBar1->addSeparator();
  w.trbVolume = new QSlider(Qt::Horizontal, w.ToolBar1);
  w.trbVolume->setObjectName("trbVolume");
  w.trbVolume->setAccessibleName(QCoreApplication::translate("Window", "音量"));
  w.trbVolume->setRange(0, 100);
  w.trbVolume->setSingleStep(1);
  w.trbVolume->setPageStep(10);
  w.trbVolume->setFixedWidth(kVolumeSliderWidth);
  w.ToolBar1->addWidget(w.trbVolume);
  w.ToolBar1->addSeparator();
}

void BuildTopPanels(TMainWindowWidgets& w, QWidget& form, const TActionList& actions) {
  w.Panel2 = new QFrame(&form);
  w.Panel2->setObjectName("Panel2");
  w.Panel2->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* row = new QHBoxLayout(w.Panel2);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  BuildToolBar(w, actions);
  row->addWidget(w.ToolBar1);
  w.ComboBox1 = new QComboBox(w.Panel2);
  w.ComboBox1->setObjectName("ComboBox1");
  w.ComboBox1->setFocusPolicy(Qt::ClickFocus);
  row->addWidget(w.ComboBox1, 1);  // from the last separator to the right edge

  w.Panel1 = new QFrame(&form);
  w.Panel1->setObjectName("Panel1");
  w.Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* lines = new QVBoxLayout(w.Panel1);
  lines->setContentsMargins(kEditLeft, 2, kEditLeft, 2);
  lines->setSpacing(0);
  w.edtTitle = NowPlayingEdit("edtTitle", w.Panel1);
  w.edtLyrics = NowPlayingEdit("edtLyrics", w.Panel1);
  QFont lyricFont = BoldOfSameFace(w.edtLyrics->font());
  lyricFont.setItalic(true);
  w.edtLyrics->setFont(lyricFont);
  for (QLineEdit* edit : {w.edtTitle, w.edtLyrics}) edit->setFixedHeight(edit->fontMetrics().height() + 2);
  lines->addWidget(w.edtTitle);
  lines->addWidget(w.edtLyrics);
  w.Panel1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void BuildPropertyTab(TMainWindowWidgets& w) {
  w.tbsInfo = new QWidget;
  w.tbsInfo->setObjectName("tbsInfo");
  auto* column = new QVBoxLayout(w.tbsInfo);
  auto* fields = new QFormLayout;
  fields->setLabelAlignment(Qt::AlignRight);
  const struct {
    const char* caption;
    const char* name;
    QLabel** label;
  } rows[] = {
      {QT_TRANSLATE_NOOP("Window", "タイトル:"), "lblTitle", &w.lblTitle},
      {QT_TRANSLATE_NOOP("Window", "アーティスト:"), "lblArtist", &w.lblArtist},
      {QT_TRANSLATE_NOOP("Window", "アルバム:"), "lblAlbum", &w.lblAlbum},
      {QT_TRANSLATE_NOOP("Window", "年:"), "lblYear", &w.lblYear},
      {QT_TRANSLATE_NOOP("Window", "ジャンル:"), "lblGenre", &w.lblGenre},
      {QT_TRANSLATE_NOOP("Window", "コメント:"), "lblComment", &w.lblComment},
      {QT_TRANSLATE_NOOP("Window", "ファイル名:"), "lblFileName", &w.lblFileName},
      {QT_TRANSLATE_NOOP("Window", "オーディオ プロパティ:"), "lblLength", &w.lblLength},
  };
  for (const auto& row : rows) {
    *row.label = NamedLabel(row.name, w.tbsInfo);
    fields->addRow(QCoreApplication::translate("Window", row.caption), *row.label);
  }
  column->addLayout(fields);
  w.memLyrics = new QPlainTextEdit(w.tbsInfo);
  w.memLyrics->setObjectName("memLyrics");
  w.memLyrics->setReadOnly(true);
  w.memLyrics->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  w.memLyrics->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  w.memLyrics->setLineWrapMode(QPlainTextEdit::NoWrap);
  w.memLyrics->hide();  // shown only while a song has lyrics
  column->addWidget(w.memLyrics, 1);
  column->addStretch(0);
}

void BuildPages(TMainWindowWidgets& w, QWidget& form) {
  w.PageControl1 = new QTabWidget(&form);
  w.PageControl1->setObjectName("PageControl1");
  w.PageControl1->setDocumentMode(true);
  w.TabSheet1 = new QWidget;
  w.TabSheet1->setObjectName("TabSheet1");
  auto* page = new QVBoxLayout(w.TabSheet1);
  page->setContentsMargins(0, 0, 0, 0);
  w.ListView1 = new TPlaylistView(w.TabSheet1);
  page->addWidget(w.ListView1);
  w.PageControl1->addTab(w.TabSheet1, QCoreApplication::translate("Window", "プレイリスト"));
  BuildPropertyTab(w);
  w.PageControl1->addTab(w.tbsInfo, QCoreApplication::translate("Window", "プロパティ"));
  w.PageControl1->setCurrentIndex(0);
}

QLabel* StatusPanel(const char* name, QWidget* parent) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(name);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setContentsMargins(2, 0, 2, 0);
  return panel;
}

void BuildPanelBar(TMainWindowWidgets& w, QWidget& form) {
  w.PanelBar1 = new ui::TPanelBar(&form);
  w.PanelBar1->setObjectName("PanelBar1");
  auto* row = new QHBoxLayout(w.PanelBar1);
  // The right margin leaves the grip free.
  row->setContentsMargins(0, 2, w.PanelBar1->GripExtent() + 4, 1);
  row->setSpacing(2);
  w.pnlSongs = StatusPanel("pnlSongs", w.PanelBar1);
  w.pnlSongs->setMinimumWidth(64);
  w.pnlTime = StatusPanel("pnlTime", w.PanelBar1);
  w.pnlTime->setMinimumWidth(140);
  w.ProgressBar1 = new TSeekBar(w.PanelBar1);
  w.ProgressBar1->setObjectName("ProgressBar1");
  w.ProgressBar1->setRange(0, 100);
  w.ProgressBar1->setValue(0);
  w.ProgressBar1->setTextVisible(false);
  w.ProgressBar1->setMaximumHeight(14);
  row->addWidget(w.pnlSongs);
  row->addWidget(w.pnlTime);
  row->addWidget(w.ProgressBar1, 1);
}

}  // namespace

TMainWindowWidgets BuildMainWindowWidgets(QWidget& form, const TActionList& actions) {
  TMainWindowWidgets w;
  BuildTopPanels(w, form, actions);
  BuildPages(w, form);
  BuildPanelBar(w, form);
  auto* layout = new QVBoxLayout(&form);
  // The stored client size rules, however small; the widgets make do.
  layout->setSizeConstraint(QLayout::SetNoConstraint);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(w.Panel2);
  layout->addWidget(w.Panel1);
  layout->addWidget(w.PageControl1, 1);
  layout->addWidget(w.PanelBar1);
  return w;
}

}  // namespace orvana::app

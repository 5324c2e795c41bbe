#include "app/dialogs/equalizer_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

#include "app/dialogs/gain_slider.h"
#include "app/dialogs/response_curve_view.h"

namespace orvana::app {
namespace {

constexpr int kLevelTenths = 2;  // one step of a band: the player's level, 0.2 dB
constexpr int kBandSliderHeight = 128;
constexpr const char* kBandTexts[kEqualizerBandCount] = {"31", "62", "125", "250", "500",
                                                        "1k", "2k", "4k",  "8k",  "16k"};
constexpr const char* kReplayGainModeTexts[] = {QT_TRANSLATE_NOOP("Equalizer", "オフ"),
                                                QT_TRANSLATE_NOOP("Equalizer", "トラック"),
                                                QT_TRANSLATE_NOOP("Equalizer", "アルバム")};

QString Text(const char* source) { return QCoreApplication::translate("Equalizer", source); }

QLabel* CaptionBelow(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  return label;
}

}  // namespace

TdlgEqualizer::TdlgEqualizer(TSoundShaping& shaping, const ui::TDialogRunner& run, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      shaping_(shaping),
      presetCommands_(shaping, run, *this) {
  setObjectName("dlgEqualizer");
  setWindowTitle(QCoreApplication::translate("Equalizer", "イコライザー"));
  setModal(false);
  chkEqualizer = new QCheckBox(QCoreApplication::translate("Equalizer", "イコライザーを使う"), this);
  chkEqualizer->setObjectName("chkEqualizer");

  auto* close = new QPushButton(QCoreApplication::translate("Equalizer", "閉じる"), this);
  close->setObjectName("btnClose");
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(chkEqualizer);
  layout->addWidget(BuildPresetRow());
  layout->addWidget(BuildSliders());
  layout->addWidget(BuildReplayGain());
  layout->addLayout(bottom);
  Wire();
  ShowSettings();
  ShowPresets();
}

QWidget* TdlgEqualizer::BuildPresetRow() {
  auto* row = new QWidget(this);
  auto* label = new QLabel(QCoreApplication::translate("Equalizer", "プリセット"), row);
  cmbPreset = new QComboBox(row);
  cmbPreset->setObjectName("cmbPreset");
  cmbPreset->setPlaceholderText(QCoreApplication::translate("Equalizer", "カスタム"));
  cmbPreset->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cmbPreset->setMinimumContentsLength(10);
  label->setBuddy(cmbPreset);
  btnSavePreset = new QPushButton(QCoreApplication::translate("Equalizer", "保存..."), row);
  btnSavePreset->setObjectName("btnSavePreset");
  btnRenamePreset = new QPushButton(QCoreApplication::translate("Equalizer", "名前の変更..."), row);
  btnRenamePreset->setObjectName("btnRenamePreset");
  btnDeletePreset = new QPushButton(QCoreApplication::translate("Equalizer", "削除"), row);
  btnDeletePreset->setObjectName("btnDeletePreset");
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(cmbPreset, 1);
  for (QPushButton* button : {btnSavePreset, btnRenamePreset, btnDeletePreset}) layout->addWidget(button);
  return row;
}

// The preamp, a line, then the bands: each a value above, a slider, and its
// name below; the response curve over the bands.
QWidget* TdlgEqualizer::BuildSliders() {
  auto* area = new QWidget(this);
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(2);
  const auto place = [&](TGainSlider* slider, int column, const QString& caption) {
    slider->setMinimumHeight(kBandSliderHeight);
    slider->setAccessibleName(caption);
    grid->addWidget(slider->ValueLabel(), 1, column);
    grid->addWidget(slider, 2, column, Qt::AlignHCenter);
    grid->addWidget(CaptionBelow(caption, area), 3, column);
  };
  trbPreamp = new TGainSlider(Qt::Vertical, kEqualizerLimitTenths, kLevelTenths, area);
  trbPreamp->setObjectName("trbPreamp");
  place(trbPreamp, 0, QCoreApplication::translate("Equalizer", "プリアンプ"));
  auto* line = new QFrame(area);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  grid->addWidget(line, 0, 1, 4, 1);
  for (int band = 0; band < kEqualizerBandCount; ++band) {
    auto* slider = new TGainSlider(Qt::Vertical, kEqualizerLimitTenths, kLevelTenths, area);
    slider->setObjectName(QStringLiteral("trbBand%1").arg(band));
    place(slider, band + 2, QString::fromLatin1(kBandTexts[band]));
    trbBands[std::size_t(band)] = slider;
  }
  pbxResponse = new TResponseCurveView(area);
  pbxResponse->setObjectName("pbxResponse");
  grid->addWidget(pbxResponse, 0, 2, 1, kEqualizerBandCount);
  return area;
}

QGroupBox* TdlgEqualizer::BuildReplayGain() {
  grpReplayGain = new QGroupBox(QCoreApplication::translate("Equalizer", "音量の自動調整"), this);
  grpReplayGain->setObjectName("grpReplayGain");
  cmbReplayGainMode = new QComboBox(grpReplayGain);
  cmbReplayGainMode->setObjectName("cmbReplayGainMode");
  for (const char* mode : kReplayGainModeTexts) cmbReplayGainMode->addItem(Text(mode));
  trbReplayGainPreamp = new TGainSlider(Qt::Horizontal, kReplayGainLimitTenths, 1, grpReplayGain);
  trbReplayGainPreamp->setObjectName("trbReplayGainPreamp");
  trbDefaultGain = new TGainSlider(Qt::Horizontal, kReplayGainLimitTenths, 1, grpReplayGain);
  trbDefaultGain->setObjectName("trbDefaultGain");
  chkPreventClipping = new QCheckBox(QCoreApplication::translate("Equalizer", "クリッピングを防ぐ"), grpReplayGain);
  chkPreventClipping->setObjectName("chkPreventClipping");

  auto* form = new QFormLayout(grpReplayGain);
  form->addRow(QCoreApplication::translate("Equalizer", "モード"), cmbReplayGainMode);
  for (const auto& [slider, caption] :
       {std::pair{trbReplayGainPreamp, QT_TRANSLATE_NOOP("Equalizer", "プリアンプ")},
        std::pair{trbDefaultGain, QT_TRANSLATE_NOOP("Equalizer", "ReplayGain のない曲")}}) {
    slider->setAccessibleName(Text(caption));
    auto* row = new QHBoxLayout;
    row->addWidget(slider, 1);
    row->addWidget(slider->ValueLabel());
    form->addRow(Text(caption), row);
  }
  form->addRow(chkPreventClipping);
  return grpReplayGain;
}

void TdlgEqualizer::Wire() {
  connect(&shaping_, &TSoundShaping::changed, this, &TdlgEqualizer::ShowSettings);
  connect(&shaping_, &TSoundShaping::presetsChanged, this, &TdlgEqualizer::ShowPresets);
  connect(chkEqualizer, &QCheckBox::toggled, this, [this](bool on) { shaping_.SetEqualizerEnabled(on); });
  connect(trbPreamp, &TGainSlider::tenthsChanged, this, [this](int tenths) { shaping_.SetPreamp(tenths); });
  for (int band = 0; band < kEqualizerBandCount; ++band)
    connect(trbBands[std::size_t(band)], &TGainSlider::tenthsChanged, this,
            [this, band](int tenths) { shaping_.SetBandGain(band, tenths); });
  connect(cmbPreset, &QComboBox::activated, this,
          [this](int index) { shaping_.ChoosePreset(cmbPreset->itemData(index).toString().toStdString()); });
  connect(btnSavePreset, &QPushButton::clicked, this, [this] { presetCommands_.Save(); });
  connect(btnRenamePreset, &QPushButton::clicked, this, [this] { presetCommands_.Rename(); });
  connect(btnDeletePreset, &QPushButton::clicked, this, [this] { presetCommands_.Delete(); });
  connect(cmbReplayGainMode, &QComboBox::currentIndexChanged, this, &TdlgEqualizer::ApplyReplayGain);
  connect(trbReplayGainPreamp, &TGainSlider::tenthsChanged, this, &TdlgEqualizer::ApplyReplayGain);
  connect(trbDefaultGain, &TGainSlider::tenthsChanged, this, &TdlgEqualizer::ApplyReplayGain);
  connect(chkPreventClipping, &QCheckBox::toggled, this, &TdlgEqualizer::ApplyReplayGain);
}

void TdlgEqualizer::ShowSettings() {
  const TSoundShapingSettings& settings = shaping_.Settings();
  {
    const QSignalBlocker quiet(chkEqualizer);
    chkEqualizer->setChecked(settings.equalizerEnabled);
  }
  trbPreamp->ShowTenths(settings.curve.preamp);
  for (int band = 0; band < kEqualizerBandCount; ++band)
    trbBands[std::size_t(band)]->ShowTenths(settings.curve.bands[std::size_t(band)]);
  pbxResponse->ShowCurve(settings.curve, settings.equalizerEnabled);

  const TReplayGainChoice& replayGain = settings.replayGain;
  const QSignalBlocker quietMode(cmbReplayGainMode);
  const QSignalBlocker quietClipping(chkPreventClipping);
  cmbReplayGainMode->setCurrentIndex(replayGain.mode);
  trbReplayGainPreamp->ShowTenths(replayGain.preamp);
  trbDefaultGain->ShowTenths(replayGain.defaultGain);
  chkPreventClipping->setChecked(replayGain.preventClipping);
  // The gains mean nothing while levelling is off.
  const bool on = replayGain.mode != rgcOff;
  for (TGainSlider* slider : {trbReplayGainPreamp, trbDefaultGain}) {
    slider->setEnabled(on);
    slider->ValueLabel()->setEnabled(on);
  }
  chkPreventClipping->setEnabled(on);
}

void TdlgEqualizer::ShowPresets() {
  const QSignalBlocker quiet(cmbPreset);
  cmbPreset->clear();
  // Built-in presets show their names translated; the data keeps the stored name.
  for (const TEqualizerPreset& preset : BuiltInPresets())
    cmbPreset->addItem(QCoreApplication::translate("Presets", preset.name.c_str()),
                       QString::fromStdString(preset.name));
  const std::vector<TEqualizerPreset>& user = shaping_.Settings().presets.User();
  if (!user.empty()) cmbPreset->insertSeparator(cmbPreset->count());
  for (const TEqualizerPreset& preset : user) {
    const QString name = QString::fromStdString(preset.name);
    cmbPreset->addItem(name, name);
  }
  const std::string& chosen = shaping_.ChosenPreset();
  cmbPreset->setCurrentIndex(chosen.empty() ? -1 : cmbPreset->findData(QString::fromStdString(chosen)));
  const bool users = shaping_.Settings().presets.IsUsers(chosen);
  btnRenamePreset->setEnabled(users);
  btnDeletePreset->setEnabled(users);
}

void TdlgEqualizer::ApplyReplayGain() {
  TReplayGainChoice choice;
  choice.mode = cmbReplayGainMode->currentIndex();
  choice.preamp = trbReplayGainPreamp->Tenths();
  choice.defaultGain = trbDefaultGain->Tenths();
  choice.preventClipping = chkPreventClipping->isChecked();
  shaping_.SetReplayGain(choice);
}

}  // namespace orvana::app

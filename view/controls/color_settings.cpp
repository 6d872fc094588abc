#include "color_settings.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "window/colours.h"
#include "colour_static.h"
#include "control_fonts.h"
#include "services/prompt.h"
#include "settings/quorren_reg.h"

namespace {

struct RowIds {
  unsigned defaultString;  // common definitions
  int swatch;
  int button;
};
constexpr std::array<RowIds, CColorSettings::kRowCount> kRows{{
    {200, 1177, 1058}, {205, 1178, 1059}, {206, 1179, 1060}, {207, 1180, 1061}}};

constexpr int kHeadingCellHeight = 14;

QString idName(int id) { return QStringLiteral("id%1").arg(id); }

QLabel* label(QWidget* parent, int id, const QString& text) {
  auto* widget = new QLabel(text, parent);
  widget->setObjectName(idName(id));
  return widget;
}

}  // namespace

ColourSettingsHooks graphicsSettingsHooks(CQuorrenReg& settings) {
  ColourSettingsHooks hooks;
  hooks.readGraphics = [&settings]() -> std::optional<ColourSettingsHooks::Values> {
    ColourSettingsHooks::Values values;
    if (settings.ReadGraphics(values[0], values[1], values[2], values[3]) != 0) return std::nullopt;
    return values;
  };
  // A failed write keeps the colours chosen for this run; the store says why.
  hooks.writeGraphics = [&settings](const ColourSettingsHooks::Values& values) {
    settings.WriteGraphics(values[0], values[1], values[2], values[3]);
  };
  return hooks;
}

std::uint32_t decimalColour(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i].unicode() - u'0');
    if (value > std::numeric_limits<std::uint32_t>::max()) break;
  }
  return static_cast<std::uint32_t>(negative ? -value : value);
}

CColorSettings::CColorSettings(GraphicsColours& colours, ColourSettingsHooks hooks,
                               Prompt& prompt, TextLookup language, TextLookup common,
                               QWidget* parent)
    : QDialog(parent), colours_(colours), hooks_(std::move(hooks)), prompt_(prompt),
      language_(std::move(language)) {
  setObjectName(QStringLiteral("CColorSettings"));
  setWindowTitle(text(1059, "varnis datamatrix"));

  auto* group = new QGroupBox(text(7300, "Colour settings"), this);
  group->setObjectName(idName(1113));
  auto* grid = new QGridLayout(group);
  const QFont headingFont = fontForCellHeight(kHeadingCellHeight, 700, text(10000, ""));
  QLabel* searchZone = label(group, 1062, text(7301, "Search zone :"));
  QLabel* fieldTexts = label(group, 1063, text(7302, "Image field texts :"));
  searchZone->setFont(headingFont);
  fieldTexts->setFont(headingFont);
  const std::array<QLabel*, kRowCount> rowLabels{
      searchZone, label(group, 1114, text(7303, "Positive results :")),
      label(group, 1115, text(7304, "Negative results :")),
      label(group, 1116, text(7305, "Others :"))};
  for (int row = 0; row < kRowCount; ++row) {
    const int gridRow = row == kRegion ? 0 : row + 1;
    swatches_[row] = new CColourStatic(group);
    swatches_[row]->setObjectName(idName(kRows[row].swatch));
    swatches_[row]->setMinimumSize(48, 20);
    auto* change = new QPushButton(text(7306, "Change..."), group);
    change->setObjectName(idName(kRows[row].button));
    connect(change, &QPushButton::clicked, this, [this, row] { chooseColour(Row(row)); });
    grid->addWidget(rowLabels[row], gridRow, 0);
    grid->addWidget(swatches_[row], gridRow, 1);
    grid->addWidget(change, gridRow, 2);
  }
  grid->addWidget(fieldTexts, 1, 0, 1, 3);
  grid->setColumnStretch(0, 1);

  auto* defaults = new QPushButton(text(7308, "Default setting"), this);
  defaults->setObjectName(idName(1057));
  defaults->setAutoDefault(false);
  connect(defaults, &QPushButton::clicked, this, &CColorSettings::restoreDefaults);
  auto* ok = new QPushButton(text(9203, "OK"), this);
  ok->setObjectName(idName(1));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &CColorSettings::accept);
  auto* cancel = new QPushButton(text(9204, "Escape"), this);
  cancel->setObjectName(idName(2));
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &CColorSettings::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(defaults);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);

  for (int row = 0; row < kRowCount; ++row) {
    defaults_[row] = decimalColour(common ? common(kRows[row].defaultString) : QString());
  }
  // A store that cannot be read gives the defaults; an empty value its own default.
  current_ = defaults_;
  const auto stored = hooks_.readGraphics ? hooks_.readGraphics() : std::nullopt;
  if (stored) {
    for (int row = 0; row < kRowCount; ++row) {
      if (!(*stored)[row].trimmed().isEmpty()) current_[row] = decimalColour((*stored)[row]);
    }
  }
  for (int row = 0; row < kRowCount; ++row) swatches_[row]->SetColour(current_[row]);
  publish();
  if (hooks_.setOpenDialog) hooks_.setOpenDialog(1);
}

QString CColorSettings::text(unsigned id, const char* fallback) const {
  const QString loaded = language_ ? language_(id) : QString();
  return loaded.isEmpty() ? QString::fromUtf8(fallback) : loaded;
}

void CColorSettings::chooseColour(Row row) {
  const QColor chosen = prompt_.colour(this, FromColorRef(current_[row]), QString());
  if (!chosen.isValid()) return;
  current_[row] = ToColorRef(chosen);
  swatches_[row]->SetColour(current_[row]);
}

void CColorSettings::restoreDefaults() {
  current_ = defaults_;
  for (int row = 0; row < kRowCount; ++row) swatches_[row]->SetColour(current_[row]);
}

void CColorSettings::publish() {
  colours_.regionColour = current_[kRegion];
  colours_.passColour = current_[kPass];
  colours_.failColour = current_[kFail];
  colours_.otherColour = current_[kOther];
}

void CColorSettings::accept() {
  publish();
  if (hooks_.refreshOverlays) hooks_.refreshOverlays();
  if (hooks_.writeGraphics) {
    ColourSettingsHooks::Values values;
    for (int row = 0; row < kRowCount; ++row) {
      values[row] = QString::number(static_cast<std::int32_t>(current_[row]));
    }
    hooks_.writeGraphics(values);
  }
  if (hooks_.setOpenDialog) hooks_.setOpenDialog(0);
  QDialog::accept();
}

void CColorSettings::reject() {
  if (hooks_.setOpenDialog) hooks_.setOpenDialog(0);
  QDialog::reject();
}

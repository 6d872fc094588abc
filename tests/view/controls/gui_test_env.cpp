#include "gui_test_env.h"

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QProcess>
#include <gtest/gtest.h>
#include <platform/string_table.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

// The application comes from gui_test_main.cpp; these tests draw their text
// without smoothing, so its pixels carry exactly the colour drawn.
class FontEnvironment final : public ::testing::Environment {
public:
  void SetUp() override {
    QFont font(QStringLiteral("DejaVu Sans"), 9);
    font.setStyleStrategy(QFont::NoAntialias);
    QApplication::setFont(font);
    QApplication::setApplicationDisplayName(QStringLiteral("Varnis Tarvel"));
  }
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment(new FontEnvironment);

bool hasCommaPoint() {
  const std::lconv* conventions = std::localeconv();
  return conventions != nullptr && conventions->decimal_point != nullptr &&
         std::string(conventions->decimal_point) == ",";
}

// de_DE.UTF-8 compiled once into the build tree (LOCPATH), when the system
// has the locale sources but not the compiled locale.
bool makeGermanLocale() {
  const std::filesystem::path folder = std::filesystem::path(VT_BIN_DIR) / ".." / "tests" / "locales";
  const auto target = folder / "de_DE.UTF-8";
  if (!std::filesystem::exists(target / "LC_NUMERIC")) {
    if (!std::filesystem::exists("/usr/share/i18n/locales/de_DE")) return false;
    std::error_code ignored;
    const auto scratch = folder / ("tmp-" + std::to_string(::getpid()));
    std::filesystem::create_directories(scratch, ignored);
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"),
                    {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                     QStringLiteral("UTF-8"),
                     QString::fromStdString((scratch / "de_DE.UTF-8").string())});
    localedef.waitForFinished(60000);
    std::filesystem::rename(scratch / "de_DE.UTF-8", target, ignored);
    std::filesystem::remove_all(scratch, ignored);
  }
  ::setenv("LOCPATH", folder.c_str(), 1);
  return std::filesystem::exists(target / "LC_NUMERIC");
}

}  // namespace

std::set<QRgb> coloursIn(const QImage& image, const QRect& area) {
  std::set<QRgb> colours;
  const QRect clipped = area & image.rect();
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    for (int x = clipped.left(); x <= clipped.right(); ++x) colours.insert(image.pixel(x, y) | 0xFF000000u);
  }
  return colours;
}

bool hasColour(const QImage& image, const QRect& area, const QColor& colour) {
  return coloursIn(image, area).count(colour.rgb() | 0xFF000000u) != 0;
}

std::function<QString(unsigned)> tableLookup(std::map<unsigned, QString> texts) {
  return [texts = std::move(texts)](unsigned id) {
    const auto found = texts.find(id);
    return found == texts.end() ? QString() : found->second;
  };
}

std::function<QString(unsigned)> installedTable(const char* folder) {
  auto table = std::make_shared<vt::StringTable>();
  const auto file = std::filesystem::path(VT_BIN_DIR) / "Lib" / folder / "strings.txt";
  EXPECT_TRUE(table->load(file).ok) << file;
  return [table](unsigned id) {
    const auto text = table->get(id);
    return text ? QString::fromUtf8(text->data(), qsizetype(text->size())) : QString();
  };
}

CommaLocale::CommaLocale() {
  const auto use = [this](const char* name) {
    if (std::setlocale(LC_NUMERIC, name) == nullptr || !hasCommaPoint()) return false;
    name_ = name;
    return true;
  };
  bool found = use("de_DE.UTF-8") || (makeGermanLocale() && use("de_DE.UTF-8"));
  for (const char* other : {"de_DE.utf8", "fr_FR.UTF-8", "it_IT.UTF-8", "es_ES.UTF-8",
                            "nl_NL.UTF-8", "de_DE.ISO-8859-1", "de_DE"}) {
    found = found || use(other);
  }
  if (!found) {
    std::setlocale(LC_NUMERIC, "C");
    return;
  }
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

CommaLocale::~CommaLocale() {
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());
}

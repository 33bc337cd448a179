#include "app/options_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <type_traits>

#include "app/registry_value.h"

namespace vantaro::app {
namespace {

const QString kOrganisation = QStringLiteral("Brenmoor");
const QString kOptionGroup = QStringLiteral("Option");
const QString kLanguage = QStringLiteral("Option/Language");

QString Key(const OptionDescriptor& option) {
  return QString::fromUtf8(option.name.data(), static_cast<qsizetype>(option.name.size()));
}

void ReadValue(const QSettings& settings, const OptionDescriptor& option, Options& options) {
  const QVariant stored = settings.value(Key(option));
  std::visit(
      [&](auto field) {
        using Value = std::remove_cvref_t<decltype(options.*field)>;
        if constexpr (std::is_same_v<Value, bool>) {
          if (const auto number = ReadDword(stored)) options.*field = *number != 0;
        } else if constexpr (std::is_same_v<Value, int>) {
          if (const auto number = ReadDword(stored)) options.*field = static_cast<int>(*number);
        } else if constexpr (std::is_same_v<Value, StoneStyle>) {
          if (const auto number = ReadDword(stored)) {
            options.*field = StoneStyleFromStored(static_cast<int>(*number));
          }
        } else if constexpr (std::is_same_v<Value, double>) {
          if (const auto number = ReadDouble(stored)) options.*field = *number;
        } else {
          if (const auto text = ReadString(stored)) options.*field = *text;
        }
      },
      option.field);
}

QVariant StoredValue(const OptionDescriptor& option, const Options& options) {
  return std::visit(
      [&](auto field) -> QVariant {
        using Value = std::remove_cvref_t<decltype(options.*field)>;
        if constexpr (std::is_same_v<Value, bool>) {
          return DwordValue(options.*field ? 1 : 0);
        } else if constexpr (std::is_same_v<Value, int>) {
          // A colour is a DWORD with red in the low byte, never negative.
          return option.type == OptionType::Colour
                     ? DwordValue(static_cast<std::uint32_t>(options.*field))
                     : DwordValue(options.*field);
        } else if constexpr (std::is_same_v<Value, StoneStyle>) {
          return DwordValue(StoredStoneStyle(options.*field));
        } else if constexpr (std::is_same_v<Value, double>) {
          return DoubleValue(options.*field);
        } else {
          return StringValue(options.*field);
        }
      },
      option.field);
}

}  // namespace

OptionsStore::OptionsStore()
    : options_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           kOrganisation, QStringLiteral("Vantaro4"))),
      profile_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           kOrganisation, QStringLiteral("Vantaro"))) {
  options_->setFallbacksEnabled(false);
  profile_->setFallbacksEnabled(false);
}

OptionsStore::~OptionsStore() = default;

std::u16string OptionsStore::InstallDirectory() const {
  const QSettings machine(QSettings::NativeFormat, QSettings::SystemScope, kOrganisation,
                          QStringLiteral("Vantaro4"));
  if (const auto path = ReadString(machine.value(QStringLiteral("path"))); path && !path->empty()) {
    return *path;
  }
  return Options::DefaultInstallDirectory();
}

std::filesystem::path OptionsStore::OptionFilePath() const {
  const QString folder = QFileInfo(options_->fileName()).absolutePath();
  return std::filesystem::path(QFile::encodeName(folder).toStdString()) / "vantaroopt.xml";
}

void OptionsStore::ReadGroup(Options& options, OptionGroup group) {
  options_->beginGroup(kOptionGroup);
  for (const OptionDescriptor& option : OptionDescriptors()) {
    if (option.group == group && option.persisted) ReadValue(*options_, option, options);
  }
  options_->endGroup();
}

void OptionsStore::WriteGroup(const Options& options, OptionGroup group) {
  options_->beginGroup(kOptionGroup);
  for (const OptionDescriptor& option : OptionDescriptors()) {
    if (option.group == group && option.persisted) {
      options_->setValue(Key(option), StoredValue(option, options));
    }
  }
  options_->endGroup();
}

void OptionsStore::LoadAll(Options& options) {
  options = Options(InstallDirectory());
  ReadGroup(options, OptionGroup::View);
  ReadGroup(options, OptionGroup::General);
  ClampOptions(options);
  options.language = 0;
  ReadGroup(options, OptionGroup::Print);
}

void OptionsStore::Record(std::string_view timer, int milliseconds) {
  drawingTimes_.insert_or_assign(std::string(timer), milliseconds);
}

bool OptionsStore::SaveAll(const Options& options) {
  WriteGroup(options, OptionGroup::Print);
  profile_->setValue(kLanguage, DwordValue(options.language));
  for (const auto& [timer, milliseconds] : drawingTimes_) {
    profile_->setValue(QStringLiteral("Performance/") + QString::fromStdString(timer),
                       DwordValue(milliseconds));
  }
  WriteGroup(options, OptionGroup::View);
  WriteGroup(options, OptionGroup::General);
  options_->sync();
  profile_->sync();
  const std::filesystem::path optionFile = OptionFilePath();
  QDir().mkpath(QFile::decodeName(optionFile.parent_path().c_str()));
  QFile file(QFile::decodeName(optionFile.c_str()));
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

}  // namespace vantaro::app

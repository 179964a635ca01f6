#include <QApplication>
#include <QCommandLineParser>
#include <filesystem>
#include <optional>

#include "app/program.h"
#include "app/version.h"
#include "core/settings.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quarvel"));
  QApplication::setApplicationVersion(QString::fromUtf8(quarvel::kVersion));

  QCommandLineParser parser;
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption settings_option(QStringLiteral("settings"), QStringLiteral("Use this settings file."),
                                     QStringLiteral("PATH"));
  parser.addOption(settings_option);
  parser.process(application);

  std::optional<std::filesystem::path> given;
  if (parser.isSet(settings_option))
    given = std::filesystem::path(parser.value(settings_option).toStdString());
  std::filesystem::path program_folder(QCoreApplication::applicationDirPath().toStdString());

  quarvel::Program program(quarvel::ResolveSettingsFile(program_folder, given), nullptr,
                           quarvel::DatabaseHooks());
  program.main_window().show();
  return application.exec();
}

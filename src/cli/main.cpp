#include <QCoreApplication>
#include <iostream>
#include <string_view>

#include "cli/cli.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("hvt7300"));
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return hvt::cli::Run(arguments, std::cout, std::cerr);
}

#include <unistd.h>

#include <QCoreApplication>
#include <iostream>
#include <string_view>

#include "cli/cli.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("hvt7300"));
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return hvt::cli::Run(arguments, {.Out = std::cout,
                                   .Err = std::cerr,
                                   .Input = hvt::cli::StandardInputTerminal(),
                                   .ErrIsTerminal = isatty(STDERR_FILENO) == 1});
}

// The layers of src/ may include only the layers below them, and only qt, ui and cli may
// include Qt. Checked on the sources themselves, so a wrong include fails the build's tests
// instead of waiting for a review.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace hvt {
namespace {

namespace fs = std::filesystem;

using Layers = std::set<std::string>;

// What each folder may include, itself included.
const std::map<std::string, Layers>& AllowedIncludes() {
  static const std::map<std::string, Layers> allowed = [] {
    const Layers core = {"model", "i18n"};
    std::map<std::string, Layers> table = {
        {"model", {"model"}},
        {"i18n", {"i18n", "model"}},
        {"files", {"files", "model", "i18n"}},
        {"link", {"link", "model", "i18n"}},
        // The loopback port implements the link's port interface.
        {"radio", {"radio", "model", "i18n", "link"}},
        {"editors", {"editors", "model", "i18n", "files"}},
        {"app", {"app", "editors", "link", "files", "radio", "model", "i18n"}},
    };
    Layers belowQt = table["app"];
    belowQt.insert("qt");
    table["qt"] = belowQt;
    Layers ui = belowQt;
    ui.insert("ui");
    table["ui"] = ui;
    Layers cli = belowQt;
    cli.insert("cli");
    table["cli"] = cli;
    return table;
  }();
  return allowed;
}

const Layers kQtLayers = {"qt", "ui", "cli"};

// "file:line: what is wrong" for every include that breaks the layering under `root`.
std::vector<std::string> LayeringViolations(const fs::path& root) {
  static const std::regex projectInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
  static const std::regex qtInclude(R"(^\s*#\s*include\s*<(Q[A-Za-z]\w*)(/[^>]*)?>)");
  std::vector<std::string> violations;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const fs::path& path = entry.path();
    if (!entry.is_regular_file() || (path.extension() != ".h" && path.extension() != ".cpp")) continue;
    const fs::path relative = path.lexically_relative(root);
    const std::string layer = relative.begin()->string();
    const auto allowed = AllowedIncludes().find(layer);
    std::ifstream file(path);
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
      const std::string where = relative.generic_string() + ":" + std::to_string(number) + ": ";
      std::smatch match;
      if (std::regex_search(line, match, projectInclude)) {
        const std::string included = match[1].str();
        const auto slash = included.find('/');
        const std::string target = slash == std::string::npos ? "" : included.substr(0, slash);
        if (allowed == AllowedIncludes().end()) {
          violations.push_back(where + "folder " + layer + " has no place among the layers");
        } else if (!allowed->second.contains(target)) {
          violations.push_back(where + layer + " includes \"" + included + "\"");
        }
      } else if (std::regex_search(line, match, qtInclude) && !kQtLayers.contains(layer)) {
        violations.push_back(where + layer + " includes Qt <" + match[1].str() + match[2].str() + ">");
      }
    }
  }
  std::sort(violations.begin(), violations.end());
  return violations;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(LayeringTest, SourcesIncludeOnlyTheLayersBelowThem) {
  const fs::path sources = HVT_SOURCE_DIR;
  ASSERT_TRUE(fs::is_directory(sources / "model")) << sources;
  const std::vector<std::string> violations = LayeringViolations(sources);
  EXPECT_TRUE(violations.empty()) << Joined(violations);
}

TEST(LayeringTest, CatchesIncludesUpwardsAndQtBelowTheAdapters) {
  TempFolder root;
  const auto write = [&root](const std::string& file, const std::string& text) {
    fs::create_directories((root / file).parent_path());
    std::ofstream(root / file) << text;
  };
  write("model/fine.h", "#include <vector>\n#include \"model/other.h\"\n");
  write("radio/fine.cpp", "#include \"link/link_port.h\"\n");
  write("ui/fine.cpp", "#include <QWidget>\n#include \"qt/adapter.h\"\n#include \"model/band.h\"\n");
  write("model/up.cpp", "#include \"model/a.h\"\n  #  include \"app/workspace.h\"\n");
  write("link/qt.h", "#include <QtCore/QTimer>\n");
  write("editors/sideways.h", "#include \"link/radio_operation.h\"\n#include \"local.h\"\n");
  write("cli/gui.cpp", "#include \"ui/main_window.h\"\n");
  write("ui/cli.cpp", "#include \"cli/session.h\"\n");
  write("extra/new.cpp", "#include \"model/band.h\"\n");
  write("model/notes.txt", "#include \"app/workspace.h\"\n");

  EXPECT_EQ(LayeringViolations(root.Path()),
            (std::vector<std::string>{
                "cli/gui.cpp:1: cli includes \"ui/main_window.h\"",
                "editors/sideways.h:1: editors includes \"link/radio_operation.h\"",
                "editors/sideways.h:2: editors includes \"local.h\"",
                "extra/new.cpp:1: folder extra has no place among the layers",
                "link/qt.h:1: link includes Qt <QtCore/QTimer>",
                "model/up.cpp:2: model includes \"app/workspace.h\"",
                "ui/cli.cpp:1: ui includes \"cli/session.h\"",
            }));
}

}  // namespace
}  // namespace hvt

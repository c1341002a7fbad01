#include "app/program.h"

#include <QApplication>

#include "app/frm_get_gpx.h"
#include "app/frm_quillet_main.h"
#include "app/program_end.h"

namespace velmora {

Message FailureReport(const FileError& error) {
  std::string text = "Error " + std::to_string(error.number()) + ": " + error.description();
  if (!error.path().empty()) text += "\n\nFile: " + error.path();
  return Message{text, "", MessageIcon::kError};
}

Message FailureReport(const std::exception& error) {
  return Message{std::string("Error: ") + error.what(), "", MessageIcon::kError};
}

std::string CommandLineText(int argc, const char* const* argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

bool LoadSettings(Messages& messages, Settings& settings) {
  const LoadedSettings loaded = LoadSettings();
  if (!loaded.error.empty()) {
    messages.Show(Message{loaded.error, "", MessageIcon::kError});
    return false;
  }
  settings = loaded.settings;
  return true;
}

int RunProgram(const Settings& settings, const std::string& command_line,
               const ProgramParts& parts, const StartFolder& start) {
  RunState state;
  switch (PrepareStart(start, state, parts.edges.messages)) {
    case StartStep::kEnd:
      return 0;
    case StartStep::kRefused:
      return kExitFailure;
    case StartStep::kChooser:
    case StartStep::kRunFile:
      break;
  }
  auto show_chooser = parts.show_chooser;
  if (!show_chooser) show_chooser = [](frmGetGPX& chooser) { chooser.exec(); };
  try {
    frmQuilletMain window(MainWindowParts{state, settings, parts.edges, PaceOf(command_line),
                                          parts.process, parts.append_error_log, show_chooser,
                                          parts.choose_datasheet_file});
    if (window.Load()) QApplication::exec();
    return 0;
  } catch (const ProgramEnd&) {
    return 0;  // the closed main window was used: end quietly
  } catch (const FileError& error) {
    parts.edges.messages.Show(FailureReport(error));
  } catch (const std::exception& error) {
    parts.edges.messages.Show(FailureReport(error));
  }
  return kExitFailure;
}

}  // namespace velmora

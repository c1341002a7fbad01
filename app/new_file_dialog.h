// "New from datasheets": a dialog that makes a new GPX file in the working
// folder from a datasheet file, with the marks near a point, in a county or
// of a list of PIDs. A field written wrongly shows why beside it as it is
// typed; Create is offered once the fields make a whole selection.
#ifndef VELMORA_APP_NEW_FILE_DIALOG_H
#define VELMORA_APP_NEW_FILE_DIALOG_H

#include <QDialog>
#include <functional>
#include <string>

#include "core/settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

inline constexpr const char* kNewFileTitle = "New from datasheets";

class NewFileDialog : public QDialog {
 public:
  // Asks for a datasheet file (the chooser's file dialog); empty: cancelled.
  using ChooseFile = std::function<std::string()>;

  NewFileDialog(const Settings& settings, ChooseFile choose_file, QWidget* parent = nullptr);

  // The bare name of the file Create made; empty before.
  const std::string& made_file() const { return made_file_; }

  // Create: makes the file (the button is offered only when the fields are
  // right); on success the dialog is accepted, otherwise it says why.
  void Create();

 private:
  void CreateFields();
  void CreateButtons();
  QLineEdit* AddField(int row, const char* label, const char* name, QLabel*& error);
  void ChooseArchive();
  // Checks every field, shows what is wrong beside it, and offers Create
  // when nothing is and the selection is whole.
  void Check();
  bool CheckNear();
  bool CheckNamed();

  Settings settings_;
  ChooseFile choose_file_;
  std::string made_file_;
  QLineEdit* archive_ = nullptr;
  QLineEdit* latitude_ = nullptr;
  QLineEdit* longitude_ = nullptr;
  QLineEdit* within_ = nullptr;
  QComboBox* unit_ = nullptr;
  QLineEdit* county_ = nullptr;
  QLineEdit* pids_ = nullptr;
  QCheckBox* destroyed_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLabel* archive_error_ = nullptr;
  QLabel* near_error_ = nullptr;
  QLabel* within_error_ = nullptr;
  QLabel* county_error_ = nullptr;
  QLabel* pids_error_ = nullptr;
  QLabel* name_error_ = nullptr;
  QLabel* result_ = nullptr;
  QPushButton* create_ = nullptr;
};

}  // namespace velmora

#endif

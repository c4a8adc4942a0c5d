#pragma once

#include "MaterialEditor.h"

// The compound editor: a file name, an element count and up to five elements with their
// numbers of atoms, from which "OK" writes the compound's table into XFSM-data.
class Form4 final : public MaterialEditor {
 public:
  Form4(Module1& module, Dialogs& dialogs, BackToMain backToMain);

  void Text1_Click();
  void Label1_Click();  // the same, but the name gets ".mix" appended
  void Text2_Click();   // a positive count shows its rows with labels, the hint and the list
  void Label2_Click();  // any count, showing the row boxes only
  void Command1_Click();

 private:
  void chooseElement(const Row& row);
  void askNumberOfAtoms(const Row& row);
  // Stores a positive number; anything else only gets the invalid-input message.
  bool storePositive(double value, double& target);

  ClickableTextBox* Text1;
  ClickableTextBox* Text2;
  FileListBox* File1;
};

#pragma once

#include "MaterialEditor.h"

// The mixture editor: a file name, an element count and up to ten elements with their atomic
// weights and weights in per cent, from which "OK" writes the mixture's table into XFSM-data.
class Form6 final : public MaterialEditor {
 public:
  Form6(Module1& module, Dialogs& dialogs, BackToMain backToMain);

  void Text1_Click();  // also the action of Label1
  void Text2_Click();  // also the action of Label2: any count shows its rows, the hint and the list
  void Command1_Click();

 private:
  void chooseElement(const Row& row);
  void askAtomicWeight(const Row& row);
  void askWeight(const Row& row);

  ClickableTextBox* Text1;
  ClickableTextBox* Text2;
  FileListBox* File1;
};

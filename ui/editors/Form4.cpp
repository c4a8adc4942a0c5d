#include "Form4.h"

#include <QDir>

namespace {
constexpr int kRows = 5;
}

Form4::Form4(Module1& module, Dialogs& dialogs, BackToMain backToMain)
    : MaterialEditor(module, dialogs, std::move(backToMain), "Chemical compound", {450, 407}) {
  label("Label3", "化合物データの新規作成", {13, 16, 233, 31});
  label("Label1", "新規ファイル名", {18, 64, 221, 28}, [this] { Label1_Click(); });
  Text1 = textBox("Text1", {16, 88, 225, 27}, [this] { Text1_Click(); });
  label("Label2", "元素数（最大５）", {16, 128, 161, 25}, [this] { Label2_Click(); });
  Text2 = textBox("Text2", {176, 128, 65, 22}, [this] { Text2_Click(); });
  label("Label4", "元素データ", {80, 168, 97, 25});
  label("Label5", "原子数", {176, 168, 65, 25});
  for (int slot = 1; slot <= kRows; ++slot) {
    const int top = 192 + 24 * (slot - 1);
    const Action choose = [this, slot] { chooseElement(rows_[slot - 1]); };
    const Action askAtoms = [this, slot] { askNumberOfAtoms(rows_[slot - 1]); };
    rows_.push_back({slot,
                     label(QString("Label%1").arg(7 + slot), QString("元素 %1").arg(slot),
                           {16, top, 65, 25}, choose),
                     textBox(QString("Text%1").arg(2 + slot), {80, top, 97, 25}, choose), nullptr,
                     textBox(QString("Text%1").arg(7 + slot), {176, top, 65, 25}, askAtoms)});
  }
  File1 = elementList({280, 64, 145, 253});
  hideRowsAndHint({label("Label6", "元素を選択し", {272, 8, 114, 28}),
                   label("Label7", "元素 X をクリック", {272, 32, 158, 28}), File1});
  button("Command1", "OK", {32, 344, 89, 33}, [this] { Command1_Click(); });
  button("Command2", "Cancel", {160, 344, 89, 33}, [this] { Command2_Click(); });
}

void Form4::Text1_Click() {
  askFileName(Text1, "ファイル名を入力して下さい");
}

void Form4::Label1_Click() {
  askFileName(Text1, "ファイル名を入力して下さい", ".mix");
}

void Form4::Text2_Click() {
  if (!storePositive(askCount(Text2), module_.Editor.ElementCount)) return;
  showRows(module_.Editor.ElementCount, true);
  showHint();
}

void Form4::Label2_Click() {
  module_.Editor.ElementCount = askCount(Text2);
  showRows(module_.Editor.ElementCount, false);
}

void Form4::Command1_Click() {
  const QString name = Text1->text();
  if (name.isEmpty()) {
    warn("ファイル名が入力されていません");
    return;
  }
  const xscatter::Status outcome =
      createMaterial(xscatter::MaterialKind::Compound, name.toStdString());
  // Unlike the mixture editor's, this title names the file with its folder.
  reportCreation(outcome,
                 QDir::toNativeSeparators(QString::fromLatin1(xscatter::kMaterialFolder) + '/' +
                                          name + QString::fromLatin1(xscatter::kTableExtension)));
}

void Form4::chooseElement(const Row& row) {
  if (takeChosenElement(File1, row, "元素を選択して下さい")) askNumberOfAtoms(row);
}

void Form4::askNumberOfAtoms(const Row& row) {
  storePositive(numberIn(askInto(row.weight, "原子数を入力して下さい")),
                module_.Editor.ElementWeights[row.slot]);
}

bool Form4::storePositive(double value, double& target) {
  if (value <= 0) {
    warn("入力値が不正です。");
    return false;
  }
  target = value;
  return true;
}

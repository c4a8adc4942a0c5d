#include "Form6.h"

#include <array>

#include "xscatter/Elements.h"
#include "xscatter/TableText.h"

namespace {

constexpr int kRows = 10;

// Design numbers of each row's controls, row 1 first.
struct RowNames {
  int label, element, atomicWeight, weight;
};
constexpr std::array<RowNames, kRows> kRowNames{{{8, 3, 25, 8},
                                                 {9, 4, 26, 9},
                                                 {10, 5, 27, 10},
                                                 {11, 6, 28, 11},
                                                 {12, 7, 29, 12},
                                                 {13, 15, 30, 20},
                                                 {15, 16, 31, 21},
                                                 {16, 17, 32, 22},
                                                 {17, 18, 33, 23},
                                                 {18, 19, 34, 24}}};

// Row 10's caption has no blank between the word and the number.
QString rowCaption(int slot) {
  return slot < 10 ? QString("元素 %1").arg(slot) : "元素10";
}

}  // namespace

Form6::Form6(Module1& module, Dialogs& dialogs, BackToMain backToMain)
    : MaterialEditor(module, dialogs, std::move(backToMain), "Mixture", {543, 509}) {
  label("Label3", "混合物データの新規作成", {24, 16, 233, 31});
  label("Label1", "新規ファイル名", {24, 56, 257, 25}, [this] { Text1_Click(); });
  Text1 = textBox("Text1", {24, 80, 257, 25}, [this] { Text1_Click(); });
  label("Label2", "元素数（最大10）", {24, 120, 185, 25}, [this] { Text2_Click(); });
  Text2 = textBox("Text2", {208, 120, 73, 25}, [this] { Text2_Click(); });
  label("Label4", "元素データ", {88, 160, 105, 25});
  label("Label6", "原子量", {192, 160, 81, 25});
  label("Label5", "重量(%)", {272, 160, 73, 25});
  for (int slot = 1; slot <= kRows; ++slot) {
    const int top = 184 + 24 * (slot - 1);
    const RowNames& names = kRowNames[slot - 1];
    const Action choose = [this, slot] { chooseElement(rows_[slot - 1]); };
    rows_.push_back(
        {slot,
         label(QString("Label%1").arg(names.label), rowCaption(slot), {16, top, 73, 25}, choose),
         textBox(QString("Text%1").arg(names.element), {88, top, 105, 25}, choose),
         textBox(QString("Text%1").arg(names.atomicWeight), {192, top, 81, 25},
                 [this, slot] { askAtomicWeight(rows_[slot - 1]); }),
         textBox(QString("Text%1").arg(names.weight), {272, top, 73, 25},
                 [this, slot] { askWeight(rows_[slot - 1]); })});
  }
  File1 = elementList({368, 96, 145, 329});
  hideRowsAndHint({label("Label14", "元素を選択し", {360, 16, 114, 28}),
                   label("Label7", "元素 X をクリック", {360, 40, 158, 28}), File1});
  button("Command1", "OK", {32, 448, 97, 41}, [this] { Command1_Click(); });
  button("Command2", "Cancel", {176, 448, 89, 41}, [this] { Command2_Click(); });
}

void Form6::Text1_Click() {
  askFileName(Text1, "ファイル名を入力してください");
}

void Form6::Text2_Click() {
  module_.Editor.ElementCount = askCount(Text2);
  showRows(module_.Editor.ElementCount, true);
  showHint();
}

void Form6::Command1_Click() {
  const QString name = Text1->text();
  if (name.isEmpty()) {
    warn("ファイル名を入力してください");
    return;
  }
  const xscatter::Status outcome =
      createMaterial(xscatter::MaterialKind::Mixture, name.toStdString());
  // Unlike the compound editor's, this title names the file without its folder.
  reportCreation(outcome, name + QString::fromLatin1(xscatter::kTableExtension));
}

void Form6::chooseElement(const Row& row) {
  if (!takeChosenElement(File1, row, "元素を選択してください")) return;
  askAtomicWeight(row);
  askWeight(row);
}

// An empty box offers the standard atomic weight of the row's element, where its file is named
// after one.
void Form6::askAtomicWeight(const Row& row) {
  const xscatter::Element* element = xscatter::ElementOfFile(row.element->text().toStdString());
  const QString standard =
      element ? QString::fromStdString(xscatter::ShortestNumber(element->atomicWeight)) : QString();
  module_.Editor.AtomicWeights[row.slot] =
      numberIn(askInto(row.atomicWeight, "原子量(atomic weight)を入力して下さい", standard));
}

void Form6::askWeight(const Row& row) {
  module_.Editor.ElementWeights[row.slot] =
      numberIn(askInto(row.weight, "相対重量(%)を入力して下さい"));
}

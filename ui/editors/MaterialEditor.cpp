#include "MaterialEditor.h"

#include <QCloseEvent>
#include <QPushButton>

#include "WindowStyle.h"

MaterialEditor::MaterialEditor(Module1& module, Dialogs& dialogs, BackToMain backToMain,
                               const QString& caption, QSize clientSize)
    : module_(module), dialogs_(dialogs), backToMain_(std::move(backToMain)) {
  window_style::makeFixedWindow(*this, caption, clientSize);
  setFont(window_style::japaneseFont(10));
}

std::vector<QWidget*> MaterialEditor::Row::boxes() const {
  std::vector<QWidget*> boxes{element, weight};
  if (atomicWeight) boxes.push_back(atomicWeight);
  return boxes;
}

ClickableLabel* MaterialEditor::label(const QString& name, const QString& caption, QRect where,
                                      const Action& onClick) {
  auto* control = new ClickableLabel(caption, this);
  control->setObjectName(name);
  control->setGeometry(where);
  if (onClick) connect(control, &ClickableLabel::clicked, this, onClick);
  return control;
}

ClickableTextBox* MaterialEditor::textBox(const QString& name, QRect where, const Action& onClick) {
  auto* box = new ClickableTextBox(this);
  box->setObjectName(name);
  box->setGeometry(where);
  // Values go in through the dialogs only, so a box never shows text that nothing uses.
  box->setReadOnly(true);
  connect(box, &ClickableTextBox::clicked, this, onClick);
  return box;
}

FileListBox* MaterialEditor::elementList(QRect where) {
  auto* list = new FileListBox(".xfs", this);
  list->setObjectName("File1");
  list->setGeometry(where);
  list->setFolder(module_.Folders.elements);
  return list;
}

void MaterialEditor::button(const QString& name, const QString& caption, QRect where,
                            const Action& onClick) {
  QPushButton* control = window_style::lightYellowButton(caption, where, this);
  control->setObjectName(name);
  connect(control, &QPushButton::clicked, this, onClick);
}

void MaterialEditor::hideRowsAndHint(std::vector<QWidget*> hint) {
  hint_ = std::move(hint);
  for (QWidget* control : hint_) control->hide();
  hideRows();
}

void MaterialEditor::showHint() {
  for (QWidget* control : hint_) control->show();
}

QString MaterialEditor::askInto(ClickableTextBox* box, const QString& prompt,
                                const QString& whenEmpty) {
  const QString answer = dialogs_.ask(prompt, box->text().isEmpty() ? whenEmpty : box->text());
  box->setText(answer);
  return answer;
}

double MaterialEditor::numberIn(const QString& answer) {
  return xscatter::LenientNumber(answer.toStdString()).value_or(0);
}

void MaterialEditor::warn(const QString& text) {
  dialogs_.message(text, {}, Dialogs::Icon::Exclamation);
}

double MaterialEditor::askCount(ClickableTextBox* countBox) {
  return numberIn(askInto(countBox, "化合物を構成する元素の種類数"));
}

void MaterialEditor::askFileName(ClickableTextBox* nameBox, const QString& emptyAnswerMessage,
                                 const QString& suffix) {
  const QString answer =
      dialogs_.ask("新規ファイル名を入力して下さい（拡張子なしで）", nameBox->text());
  if (answer.isEmpty()) {
    warn(emptyAnswerMessage);
    return;
  }
  nameBox->setText(answer + suffix);
}

bool MaterialEditor::takeChosenElement(const FileListBox* list, const Row& row,
                                       const QString& noChoiceMessage) {
  const std::string chosen = list->selectedFileName();
  if (chosen.empty()) {
    warn(noChoiceMessage);
    return false;
  }
  row.element->setText(QString::fromStdString(chosen));
  module_.Editor.ElementFiles[row.slot] = chosen;
  return true;
}

void MaterialEditor::showRows(double count, bool withLabels) {
  const int lastSlot = int(rows_.size());
  for (const Row& row : rows_) {
    const bool shown = row.slot < lastSlot ? count >= row.slot : count == row.slot;
    if (!shown) continue;
    for (QWidget* box : row.boxes()) box->show();
    if (withLabels) row.label->show();
  }
}

void MaterialEditor::hideRows() {
  for (const Row& row : rows_) {
    for (QWidget* box : row.boxes()) box->hide();
    row.label->hide();
  }
}

xscatter::Status MaterialEditor::createMaterial(xscatter::MaterialKind kind,
                                                const std::string& name) {
  if (xscatter::Status status = xscatter::CheckPlainFileName(name); !status.ok()) return status;
  const xscatter::TableStore store = module_.store();
  EditorValues& editor = module_.Editor;
  const xscatter::Recipe recipe = editor.recipe(kind);
  const auto elements = xscatter::ReadElementTables(
      store, recipe, [this, &editor](int slot, const xscatter::ScatteringTable& element) {
        module_.Table.x = element.x;
        editor.Rows.F[slot] = element.F;
        editor.Rows.S[slot] = element.S;
      });
  if (!elements) return elements.status();
  const auto made = xscatter::CombineMaterial(recipe, *elements);
  if (!made) return made.status();
  module_.Table.F = made->F;
  module_.Table.S = made->S;
  // Kept where the element files are named after their elements, for values per gram later.
  auto composition = xscatter::CompositionOfRecipe(recipe);
  return store.SaveMaterial(name, module_.Table,
                            composition ? std::optional(std::move(*composition)) : std::nullopt);
}

void MaterialEditor::reportCreation(const xscatter::Status& outcome, const QString& savedAs) {
  if (!outcome.ok()) {
    dialogs_.message("入力したデータに誤りがあります。  よく確認してください。", "Input Error",
                     Dialogs::Icon::None, QString::fromStdString(outcome.error));
    return;
  }
  dialogs_.message("データはファイルに保存されました。", "New Data : " + savedAs);
  leave(true);
}

void MaterialEditor::Command2_Click() {
  leave(false);
}

void MaterialEditor::closeEvent(QCloseEvent* event) {
  Command2_Click();
  event->accept();
}

void MaterialEditor::leave(bool reloadMaterialList) {
  hideRows();
  hide();
  backToMain_(reloadMaterialList);
}

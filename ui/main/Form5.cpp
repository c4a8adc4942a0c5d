#include "Form5.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "Form4.h"
#include "Form6.h"
#include "WindowStyle.h"
#include "xscatter/ReferenceMaterials.h"
#include "xscatter/TableStore.h"

namespace {

const QString kFormulaPrompt = QStringLiteral(
    "A chemical formula, such as Ca5(PO4)3OH or CuSO4·5H2O,\n"
    "or a reference material by its id or name, such as water-liquid:");
const QString kFileNamePrompt =
    QStringLiteral("File name of the new material (without extension):");
const QString kEntrySeparator = QStringLiteral(" — ");

// Each reference material as "id — name", so that either completes to it.
QStringList ReferenceEntries() {
  QStringList entries;
  for (const xscatter::ReferenceMaterial& material : xscatter::ReferenceMaterials()) {
    entries << QString::fromUtf8(material.id.data(), qsizetype(material.id.size())) +
                   kEntrySeparator +
                   QString::fromUtf8(material.name.data(), qsizetype(material.name.size()));
  }
  return entries;
}

// An entry picked from the list stands for its id; anything else for itself.
std::string TableText(const QString& answer, const QStringList& entries) {
  const QString text = answer.trimmed();
  return (entries.contains(text) ? text.section(kEntrySeparator, 0, 0) : text).toStdString();
}

}  // namespace

Form5::Form5(Module1& module, Dialogs& dialogs, BackToMain backToMain)
    : module_(module), dialogs_(dialogs), backToMain_(std::move(backToMain)) {
  // Widened from the two editors' buttons for the third entry on their right.
  window_style::makeFixedWindow(*this, "New Data", {546, 247});
  setFont(window_style::japaneseFont(15.75));

  auto* Label1 = new QLabel("新規データの作成", this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(64, 16, 168, 31);
  QPalette blueText = Label1->palette();
  blueText.setColor(QPalette::WindowText, QColor(0, 0, 255));
  Label1->setPalette(blueText);

  using window_style::lightYellowButton;
  QPushButton* Command1 = lightYellowButton("化合物", {32, 64, 233, 41}, this);
  QPushButton* Command2 = lightYellowButton("混合物", {32, 120, 233, 41}, this);
  QPushButton* Command3 = lightYellowButton("Cancel", {80, 184, 129, 41}, this);
  Command1->setObjectName("Command1");
  Command2->setObjectName("Command2");
  Command3->setObjectName("Command3");
  connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &Form5::Command3_Click);

  QPushButton* Command4 = lightYellowButton("Formula or Material…", {281, 64, 233, 41}, this);
  Command4->setObjectName("Command4");
  connect(Command4, &QPushButton::clicked, this, &Form5::Command4_Click);
  auto* Label2 = new QLabel(
      "from a chemical formula, or from a\nreference material such as water-liquid", this);
  Label2->setObjectName("Label2");
  Label2->setGeometry(281, 112, 233, 49);
  Label2->setFont(window_style::japaneseFont(9));
  Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

Form5::~Form5() = default;

void Form5::Command1_Click() {
  if (!form4_) form4_ = std::make_unique<Form4>(module_, dialogs_, backToMain_);
  open(*form4_);
}

void Form5::Command2_Click() {
  if (!form6_) form6_ = std::make_unique<Form6>(module_, dialogs_, backToMain_);
  open(*form6_);
}

void Form5::Command3_Click() {
  hide();
  backToMain_(false);
}

// Written at once, as the editors' "OK" writes, with the composition beside it; on any fault
// the user is told why and stays here with nothing written.
void Form5::Command4_Click() {
  static const QStringList entries = ReferenceEntries();
  const QString answer = dialogs_.askWithList(kFormulaPrompt, lastFormula_, entries);
  if (answer.trimmed().isEmpty()) return;
  lastFormula_ = answer;
  const std::string text = TableText(answer, entries);
  const xscatter::TableStore store = module_.store();
  const auto made =
      store.Find(text, xscatter::FindReferenceMaterial(text) ? xscatter::Reading::ReferenceMaterial
                                                             : xscatter::Reading::Formula);
  if (!made) {
    warn(QStringLiteral("No material could be made of \"%1\":\n%2")
             .arg(QString::fromStdString(text), QString::fromStdString(made.error())));
    return;
  }
  const QString name = dialogs_.ask(kFileNamePrompt, QString::fromStdString(made->name));
  if (name.isEmpty()) return;
  const QString fileName = name + QString::fromLatin1(xscatter::kTableExtension);
  const xscatter::Status saved =
      store.SaveMaterial(name.toStdString(), made->table, made->composition);
  if (!saved.ok()) {
    warn(QStringLiteral("The material could not be saved as %1.").arg(fileName), saved.error);
    return;
  }
  dialogs_.message("The data were saved to the file.", "New Data : " + fileName);
  hide();
  backToMain_(true);
}

void Form5::warn(const QString& text, const std::string& reason) {
  dialogs_.message(text, {}, Dialogs::Icon::Exclamation, QString::fromStdString(reason));
}

void Form5::closeEvent(QCloseEvent* event) {
  Command3_Click();
  event->accept();
}

void Form5::open(QWidget& editor) {
  // The editors build the new material in the current table, starting from zeros.
  for (int row = 1; row <= xscatter::kTableRows; ++row)
    module_.Table.x[row] = module_.Table.F[row] = module_.Table.S[row] = 0.0;
  editor.setWindowIcon(windowIcon());
  editor.show();
  editor.raise();
  editor.activateWindow();
  hide();
}

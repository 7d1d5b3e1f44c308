// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/compare/kept_list_dialog.h"

#include "frontend/logic/form/form_case.h"
#include "frontend/logic/run/file_names.h"
#include "frontend/platform/added_window.h"
#include "frontend/platform/platform.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace varmkalk {

namespace {

constexpr QSize kDialogSize{820, 460};
constexpr int kFewestCompared = 2;
constexpr int kMostCompared = 6;
constexpr int kProblemsHeight = 90;
constexpr int kEntryRole = Qt::UserRole;
constexpr int kIdentityRole = Qt::UserRole + 1;

enum Column {
  identity_column,
  date_column,
  climate_column,
  burner_column,
  power_column,
  efficiency_column,
  source_column,
  column_count
};

QString burner_text(const CalculationListing& listing) {
  if (!listing.burner_kind) {
    return QCoreApplication::translate("KeptListDialog", "okänd");
  }
  return *listing.burner_kind == core::BurnerKind::modulating ? QStringLiteral("modulerande")
                                                              : QStringLiteral("enstegs");
}

QString efficiency_text(const CalculationListing& listing, const QLocale& locale) {
  return listing.efficiency_percent ? locale.toString(*listing.efficiency_percent, 'f', 1)
                                    : QStringLiteral("–");
}

}  // namespace

KeptListDialog::KeptListDialog(Platform& platform, Purpose purpose, const QString& folder,
                               const std::optional<SessionCalculation>& previous, QWidget* parent)
    : QDialog(parent),
      platform_(platform),
      purpose_(purpose),
      list_(new QTreeWidget(this)),
      pick_button_(new QPushButton(this)),
      hint_(new QLabel(this)) {
  const bool comparing = purpose_ == Purpose::compare;
  setObjectName(comparing ? QStringLiteral("jamforberakningar") : QStringLiteral("hamtaindata"));
  setWindowTitle(comparing ? QCoreApplication::translate("KeptListDialog", "Jämför beräkningar")
                           : QCoreApplication::translate("KeptListDialog", "Hämta indata"));
  setAttribute(Qt::WA_DeleteOnClose);
  fit_to_screen(*this, kDialogSize, parent);

  KeptCalculations kept = list_kept_calculations(folder);
  problems_ = kept.problems;
  // The session's previous calculation first: from its files when they were kept, else (only to
  // fetch its input) from memory.
  bool previous_first = false;
  if (previous) {
    const QString padded =
        from_latin1(core::CalcIdentity(previous->identity.toLatin1().toStdString()).padded());
    const auto found = std::find_if(
        kept.calculations.begin(), kept.calculations.end(),
        [&padded](const KeptCalculation& calculation) { return calculation.identity == padded; });
    if (found != kept.calculations.end()) {
      entries_.push_back({std::move(*found), std::nullopt});
      kept.calculations.erase(found);
      previous_first = true;
    } else if (!comparing) {
      entries_.push_back({std::nullopt, previous});
      previous_first = true;
    }
  }
  for (KeptCalculation& calculation : kept.calculations) {
    entries_.push_back({std::move(calculation), std::nullopt});
  }

  list_->setObjectName(QStringLiteral("kept_list"));
  list_->setRootIsDecorated(false);
  list_->setColumnCount(column_count);
  list_->setHeaderLabels({QCoreApplication::translate("KeptListDialog", "Beräkning"),
                          QCoreApplication::translate("KeptListDialog", "Sparad"),
                          QCoreApplication::translate("KeptListDialog", "Klimat"),
                          QCoreApplication::translate("KeptListDialog", "Brännare"),
                          QCoreApplication::translate("KeptListDialog", "Effekt (kW)"),
                          QCoreApplication::translate("KeptListDialog", "Årsverkningsgrad (%)"),
                          QCoreApplication::translate("KeptListDialog", "Indata från")});
  list_->setSelectionMode(comparing ? QAbstractItemView::NoSelection
                                    : QAbstractItemView::SingleSelection);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    add_row(entries_[i], i == 0 && previous_first);
  }
  for (int column = 0; column < column_count; ++column) {
    list_->resizeColumnToContents(column);
  }

  hint_->setObjectName(QStringLiteral("hint"));
  hint_->setWordWrap(true);
  // A comparison's hint follows the marks: update_pick_button sets it, below.
  if (entries_.empty()) {
    hint_->setText(QCoreApplication::translate(
        "KeptListDialog", "Det finns inga sparade beräkningar i arbetsmappen."));
  } else if (!comparing) {
    hint_->setText(QCoreApplication::translate(
        "KeptListDialog", "Välj en beräkning; formuläret fylls med dess indata."));
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint_);
  layout->addWidget(list_, 1);
  if (!problems_.isEmpty()) {
    auto* problems = new QPlainTextEdit(this);
    problems->setObjectName(QStringLiteral("problems"));
    problems->setReadOnly(true);
    problems->setMaximumHeight(kProblemsHeight);
    problems->setPlainText(
        QCoreApplication::translate("KeptListDialog", "Filer som inte kunde läsas:\n") +
        problems_.join(QLatin1Char('\n')));
    layout->addWidget(problems);
  }
  pick_button_->setObjectName(QStringLiteral("pick"));
  pick_button_->setText(comparing ? QCoreApplication::translate("KeptListDialog", "&Jämför")
                                  : QCoreApplication::translate("KeptListDialog", "&Hämta"));
  pick_button_->setDefault(true);
  auto* cancel = new QPushButton(QCoreApplication::translate("KeptListDialog", "&Avbryt"), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(pick_button_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  connect(pick_button_, &QPushButton::clicked, this, &KeptListDialog::pick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  if (comparing) {
    connect(list_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
      marked_.removeAll(item);
      if (item->checkState(0) == Qt::Checked) {
        marked_.append(item);
      }
      show_marked_order();
      update_pick_button();
    });
  } else {
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &KeptListDialog::update_pick_button);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &KeptListDialog::pick);
    if (list_->topLevelItemCount() > 0) {
      list_->setCurrentItem(list_->topLevelItem(0));
    }
  }
  update_pick_button();
}

void KeptListDialog::add_row(const Entry& entry, bool previous) {
  const QLocale locale = platform_.locale();
  auto* item = new QTreeWidgetItem(list_);
  item->setData(0, kEntryRole, static_cast<int>(list_->topLevelItemCount() - 1));
  CalculationListing listing;
  if (entry.kept) {
    listing = entry.kept->listing;
    item->setText(identity_column, entry.kept->shown_identity());
    item->setText(date_column, locale.toString(entry.kept->date, QLocale::ShortFormat));
    item->setText(source_column, entry.kept->inputs ? QStringLiteral("indatafil")
                                                    : QStringLiteral("sammanfattning"));
  } else {
    const auto derived =
        derive_case(entry.session->input, entry.session->identity, entry.session->locale);
    if (const auto* input = std::get_if<core::BoilerCase>(&derived)) {
      listing = listing_of(*input, std::nullopt);
    }
    item->setText(identity_column, entry.session->identity);
    item->setText(date_column, QCoreApplication::translate("KeptListDialog", "nyss, ej sparad"));
    item->setText(source_column, QCoreApplication::translate("KeptListDialog", "denna körning"));
  }
  if (previous) {
    item->setText(identity_column,
                  item->text(identity_column) +
                      QCoreApplication::translate("KeptListDialog", " (föregående beräkning)"));
  }
  item->setText(climate_column, listing.climate);
  item->setText(burner_column, burner_text(listing));
  std::optional<FormInput> typed;
  if (entry.kept && entry.kept->inputs) {
    typed = input_in_locale(*entry.kept->inputs, locale);
  } else if (entry.session) {
    typed = entry.session->input;
  }
  item->setText(power_column, listed_power_text(listing, typed, locale));
  item->setText(efficiency_column, efficiency_text(listing, locale));
  item->setData(identity_column, kIdentityRole, item->text(identity_column));
  item->setTextAlignment(power_column, Qt::AlignRight | Qt::AlignVCenter);
  item->setTextAlignment(efficiency_column, Qt::AlignRight | Qt::AlignVCenter);
  if (purpose_ == Purpose::compare) {
    if (entry.kept && entry.kept->summary) {
      item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsSelectable);
      item->setCheckState(0, Qt::Unchecked);
    } else {
      // The results of a comparison come from the summary.
      item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
      item->setToolTip(0, QCoreApplication::translate(
                              "KeptListDialog", "Sammanfattningen saknas eller kan inte läsas."));
    }
  }
}

void KeptListDialog::show_marked_order() {
  const QSignalBlocker quiet(list_);
  for (int row = 0; row < list_->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    const qsizetype order = marked_.indexOf(item);
    const QString identity = item->data(identity_column, kIdentityRole).toString();
    item->setText(
        identity_column,
        order < 0 ? identity
        : order == 0
            ? QCoreApplication::translate("KeptListDialog", "%1 (utgångspunkt)").arg(identity)
            : QStringLiteral("%1 (%2)").arg(identity).arg(order + 1));
  }
  list_->resizeColumnToContents(identity_column);
}

void KeptListDialog::update_pick_button() {
  if (purpose_ == Purpose::compare) {
    const auto marked = static_cast<int>(marked_.size());
    pick_button_->setEnabled(marked >= kFewestCompared && marked <= kMostCompared);
    if (marked > kMostCompared) {
      hint_->setText(QCoreApplication::translate(
                         "KeptListDialog", "Högst sex beräkningar kan jämföras; avmarkera %1.")
                         .arg(marked - kMostCompared));
    } else if (!entries_.empty()) {
      hint_->setText(QCoreApplication::translate(
          "KeptListDialog",
          "Markera två till sex beräkningar. Den först markerade är den "
          "som de andra jämförs med."));
    }
    return;
  }
  pick_button_->setEnabled(!list_->selectedItems().isEmpty());
}

void KeptListDialog::pick() {
  if (!pick_button_->isEnabled()) {
    return;
  }
  const auto entry_of = [this](const QTreeWidgetItem* item) -> const Entry& {
    return entries_[static_cast<std::size_t>(item->data(0, kEntryRole).toInt())];
  };
  if (purpose_ == Purpose::compare) {
    std::vector<KeptCalculation> picked;
    for (const QTreeWidgetItem* item : marked_) {
      picked.push_back(*entry_of(item).kept);
    }
    accept();
    emit calculations_picked(picked);
    return;
  }
  const Entry& entry = entry_of(list_->selectedItems().front());
  const RestoredInput restored = entry.kept ? restored_input(*entry.kept, platform_.locale())
                                            : RestoredInput{entry.session->input,
                                                            {},
                                                            std::nullopt,
                                                            entry.session->prices,
                                                            entry.session->heat_pump};
  accept();
  emit inputs_picked(restored);
}

}  // namespace varmkalk

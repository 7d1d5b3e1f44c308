// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/kept/kept_calculations.h"

#include <QDialog>
#include <QList>

#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace varmkalk {

class Platform;

// The list of the calculations kept in the working folder (identity, when kept, climate, burner
// and power, annual efficiency), the session's previous calculation first. For "Hämta indata…"
// one is picked and its input handed over; for "Jämför beräkningar…" two to six are marked, the
// first marked being the one the others are compared with. Files that cannot be read are named
// below the list. The dialog only reads; it deletes itself when closed.
class KeptListDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Purpose { fetch_inputs, compare };

  KeptListDialog(Platform& platform, Purpose purpose, const QString& folder,
                 const std::optional<SessionCalculation>& previous, QWidget* parent);

  QTreeWidget* list() const { return list_; }
  // The files that could not be read, as told below the list.
  QStringList problems() const { return problems_; }

 signals:
  // "Hämta": the picked calculation's input for the form.
  void inputs_picked(const varmkalk::RestoredInput& restored);
  // "Jämför": the marked calculations in the order they were marked.
  void calculations_picked(const std::vector<varmkalk::KeptCalculation>& calculations);

 private:
  // One row of the list: a kept calculation, or the session's previous one that was not kept.
  struct Entry {
    std::optional<KeptCalculation> kept;
    std::optional<SessionCalculation> session;
  };

  void add_row(const Entry& entry, bool previous);
  void pick();
  void update_pick_button();
  // Each marked row's place in the comparison beside its identity, the first as the one the
  // others are compared with.
  void show_marked_order();

  Platform& platform_;
  Purpose purpose_;
  std::vector<Entry> entries_;
  QStringList problems_;
  QTreeWidget* list_;
  QPushButton* pick_button_;
  QLabel* hint_;
  // The rows marked for a comparison, in the order they were marked.
  QList<QTreeWidgetItem*> marked_;
};

}  // namespace varmkalk

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/logic/year/year_energy.h"

#include <QRectF>
#include <QString>
#include <QWidget>

#include <vector>

class QPainter;

namespace varmkalk {

// One bar of the energy flow's waterfall and the text of its tool tip.
struct FlowRow {
  QRectF area;  // the whole row, for the tool tip
  QString tooltip;
};

// Draws the year's energy flow as a waterfall into `area`: the fuel at the top, each loss taken
// off (a credit added) below it, the useful heat at the bottom, every bar with its kWh and its
// per cent of the fuel. Returns the rows.
std::vector<FlowRow> paint_energy_flow(QPainter& painter, const QRectF& area,
                                       const EnergyFlow& flow, const QString& title);

// The energy flow as a widget, with a tool tip over every bar.
class EnergyFlowView : public QWidget {
  Q_OBJECT

 public:
  EnergyFlowView(EnergyFlow flow, QString title, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  EnergyFlow flow_;
  QString title_;
  std::vector<FlowRow> rows_;
};

}  // namespace varmkalk

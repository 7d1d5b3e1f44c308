// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace varmkalk {

// The chart of `Helpkonv`: the convection loss C ΔT^1,3 for eight values of C.
QWidget* create_convection_chart(QWidget* parent);

// The chart of `stillestand`: the standby loss C_1 ΔT^C_2 over ΔT and C_1 for eight values of C_2.
QWidget* create_standby_chart(QWidget* parent);

}  // namespace varmkalk

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the Markdown table of docs/heatpump.md: for each shipped unit but the exhaust-air one,
# the seasonal COP kalvex-vp computes with the model beside the declared one, in the four
# declarations, and the deviation in per cent.
#   scripts/heatpump-scop-table.sh [KALVEX_VP]     (default build/bin/kalvex-vp)
set -euo pipefail
cd "$(dirname "$0")/.."
vp=${1:-build/bin/kalvex-vp}
units=(
  "_CTC_ABCTC_EcoAir_610M.csv|CTC EcoAir 610M"
  "_CTC_ABCTC_EcoAir_622M.csv|CTC EcoAir 622M"
  "_Bosch_Thermoteknik_ABIVT_AirSplit_306_308_309-S.csv|IVT AirBox Split E6 308-S"
  "_ThermiaATHENA_18_400V_H_.csv|ATHENA 18 400V H"
  "_CTC_ABCTC_EcoAir_410.csv|CTC EcoAir 410 3x400V"
  "_Nibe_ABS1x55-12.csv|S1155-12 3x400"
  "_ThermiaThermia_Calibra_Eco_12.csv|Thermia Calibra Eco 12 230V"
  "_ThermiaThermia_Calibra_7.csv|Thermia Calibra 7 230V"
  "_ThermiaThermia_Atlas_12.csv|ATLAS 12 400V"
  "_ThermiaThermia_Legend_8.csv|Thermia Legend 8 230-1"
)
echo "| Unit | average 35 °C | average 55 °C | colder 35 °C | colder 55 °C |"
echo "|---|---|---|---|---|"
for unit in "${units[@]}"; do
  file=data/heatpumps/${unit%%|*}
  title=${unit#*|}
  row="| $title |"
  for climate in average colder; do
    for flow in 35 55; do
      output=$("$vp" scop "$file" --model "$title" --climate "$climate" --flow "$flow" --verbose)
      declared=$(sed -n 's/^Deklarerad SCOP: //p' <<<"$output")
      model=$(tail -n 1 <<<"$output")
      deviation=$(awk -v m="$model" -v d="$declared" 'BEGIN { printf "%+.1f", 100 * (m - d) / d }')
      row="$row $model / $declared ($deviation %) |"
    done
  done
  echo "$row"
done

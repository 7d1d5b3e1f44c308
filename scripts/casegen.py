#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Random but sensible engine cases: one folder per case with its styrfil.dat and, for some
cases, a climate file of its own that takes the place of the installed one.

    scripts/casegen.py --count N --seed S --out DIR

writes DIR/case-00001/styrfil.dat ... and DIR/cases.txt (one line per case: folder and kind).
Case number i depends only on the seed and i, so a larger count keeps the smaller count's cases.

The values of a case (generate_values) are kept apart from how they are written
(control_file_text), so that another writer can take the same values.
"""

import argparse
import dataclasses
import decimal
import math
import os
import pathlib
import random
import sys

ENCODING = "cp1252"
LINE_END = "\r\n"
CONTROL_FILE_NAME = "styrfil.dat"
CONTROL_FILE_LINES = 23
NUMBER_WIDTH = 11  # the engine reads a number from columns 1-11
CLIMATE_LINE = 17
HEATING_LINE = 18
IDENTITY_LINE = 23
TEXT_LINES = (CLIMATE_LINE, HEATING_LINE, IDENTITY_LINE)
NUMBER_LINES = tuple(n for n in range(1, CONTROL_FILE_LINES + 1) if n not in TEXT_LINES)

# Climate files by code letter; any other code chooses Kiruna. Mean temperature and half the
# yearly swing (°C) shape the synthetic years of cases that bring their own file.
CLIMATES = {
    "A": ("malmo.dat", 8.5, 9.0),
    "B": ("jkping.dat", 6.5, 10.0),
    "C": ("sthlm.dat", 7.0, 10.5),
    "D": ("falun.dat", 4.5, 11.5),
    "E": ("ostersnd.dat", 3.0, 12.0),
}
DEFAULT_CLIMATE = ("kiruna.dat", -1.0, 13.0)
CLIMATE_CODES = ("A", "B", "C", "D", "E", "a", "b", "c", "d", "e")
UNKNOWN_CLIMATE_CODES = ("", "F", "x", "K", "Stockholm", " c", "AB")
HEATING_CODES = ("A", "a", "A", "a", "B", "b", "", " A", "X", "80/60")
IDENTITY_CHARACTERS = (
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_.+#åäöÅÄÖé "
)

# Values that break the model or the report, each in a case of its own.
VALUE_ODDITIES = (
    "negative-pump-power",
    "air-ratio-below-1",
    "air-ratio-flame-below-1000",
    "indoor-above-design-return",
    "zero-design-demand",
    "modulating-flue-gas-not-above-return",
    "pump-150-w",
    "demand-100000-w",
    "identity-with-slash",
)
# Faults in how the file is written.
TEXT_ODDITIES = ("letter-in-number", "short-file", "extra-lines", "no-final-line-end")
CLIMATE_ODDITIES = (
    "short-year",
    "leap-year",
    "no-heating-day",
    "empty-last-line",
    "bad-line",
    "no-decimal-point",
)
ODD_SHARE = 0.15
OWN_CLIMATE_SHARE = 0.10


@dataclasses.dataclass
class Case:
    values: list  # the 23 values in file order: numbers, and text for lines 17, 18 and 23
    kind: str  # "normal" or the oddities, joined by "+"
    control_text: str
    climate_name: str | None = None  # a climate file of the case's own, when it has one
    climate_text: str | None = None


def executable(text: str) -> pathlib.Path:
    """The program named on a comparison script's command line; the script stops when it is none."""
    path = pathlib.Path(text)
    if not path.is_file() or not os.access(path, os.X_OK):
        print(f"{text}: ingen körbar fil", file=sys.stderr)
        sys.exit(2)
    return path.resolve()


def case_random(seed: int, index: int) -> random.Random:
    """The generator of case `index`: the same for a seed, whatever the count."""
    return random.Random(f"varmkalk-case:{seed}:{index}")


def climate_of(code: str) -> tuple:
    """The climate the engine picks for a code: one letter A-E in either case, trailing blanks
    dropped; anything else is Kiruna."""
    letter = code[:20].rstrip(" ")
    return CLIMATES.get(letter.upper(), DEFAULT_CLIMATE) if len(letter) == 1 else DEFAULT_CLIMATE


def design_return_temp(heating_code: str) -> float:
    return 60.0 if heating_code[:20].rstrip(" ") in ("A", "a") else 45.0


def rounded(value: float, decimals: int) -> float:
    return float(round(value, decimals))


def identity(rng: random.Random) -> str:
    length = rng.choices((1, 2, 3, 4, 5), weights=(2, 3, 3, 10, 1))[0]
    return "".join(rng.choice(IDENTITY_CHARACTERS) for _ in range(length))


def generate_values(rng: random.Random, oddity: str | None = None) -> list:
    """The 23 values of one control file, in file order. Sensible unless `oddity` names one of
    VALUE_ODDITIES, which then breaks the model or the report in that way."""
    demand_w = rounded(rng.uniform(3000, 30000), -2)
    # Burners from clearly too small (a warning of unmet demand) to far too large.
    max_power_w = min(40000.0, max(5000.0, rounded(demand_w * rng.uniform(0.6, 2.5), -2)))
    kind = rng.random()
    if kind < 0.45:
        min_power_w = max_power_w  # single-stage
    elif kind < 0.55:
        min_power_w = max_power_w + rounded(rng.uniform(100, 5000), -2)  # single-stage too
    else:
        min_power_w = rounded(max_power_w * rng.uniform(0.15, 0.7), -2)  # modulating
    supply_1 = rounded(rng.uniform(30, 55), 1)
    return_1 = rounded(max(20.0, supply_1 - rng.uniform(4, 15)), 1)
    supply_2 = rounded(rng.uniform(60, 90), 1)
    return_2 = rounded(min(70.0, max(return_1 + 5, supply_2 - rng.uniform(8, 20))), 1)
    condensing = rng.random() < 0.5
    above_return = rng.uniform(2, 12 if condensing else 120)
    flue_1 = rounded(min(250.0, max(35.0, return_1 + above_return)), 1)
    # The flue gas follows the return water at about one kelvin per kelvin; a steeper slope
    # extrapolates a single-stage boiler's flue gas far below the water's temperature.
    slope = rng.uniform(0.6, 1.6)
    flue_2 = rounded(min(250.0, max(return_2 + 2, flue_1 + slope * (return_2 - return_1))), 1)
    climate = rng.choice(CLIMATE_CODES if rng.random() < 0.85 else UNKNOWN_CLIMATE_CODES)
    heating = rng.choice(HEATING_CODES)
    values = [
        rounded(rng.uniform(0.1, 2.0), 2),  # convection constant
        rounded(rng.uniform(0.1, 3.0), 2),  # standby constant
        rounded(rng.uniform(0.5, 1.8), 2),  # standby exponent
        max_power_w,
        min_power_w,
        rounded(rng.uniform(1.05, 1.6), 2),  # air ratio
        rounded(rng.uniform(5, 200), rng.choice((0, 1))) if rng.random() < 0.35 else 0.0,
        flue_1,
        supply_1,
        return_1,
        flue_2,
        supply_2,
        return_2,
        rounded(rng.uniform(10, 120), 0) if rng.random() < 0.7 else 0.0,  # pump power
        75.0 if rng.random() < 0.8 else rounded(rng.uniform(40, 100), 0),  # pump efficiency
        demand_w,
        climate,
        heating,
        rounded(rng.uniform(15, 25), 1),  # indoor
        rounded(rng.uniform(20, 65), 0),  # lowest return
        rounded(rng.uniform(1000, 8000), -2) if rng.random() < 0.7 else 0.0,  # hot water
        rounded(rng.uniform(20, 150), 0) if rng.random() < 0.7 else 0.0,  # heater loss
        identity(rng),
    ]
    if oddity is not None:
        break_values(values, rng, oddity)
    return values


def break_values(values: list, rng: random.Random, oddity: str) -> None:
    def at(line: int, value) -> None:
        values[line - 1] = value

    if oddity == "negative-pump-power":
        at(14, -rounded(rng.uniform(1, 100), 0))
    elif oddity == "air-ratio-below-1":
        at(6, rounded(rng.uniform(0.5, 0.99), 2))
    elif oddity == "air-ratio-flame-below-1000":
        at(6, rounded(rng.uniform(2.6, 5.0), 1))
    elif oddity == "indoor-above-design-return":
        at(19, rounded(design_return_temp(values[HEATING_LINE - 1]) + rng.uniform(0, 20), 0))
    elif oddity == "zero-design-demand":
        at(16, 0.0)
    elif oddity == "modulating-flue-gas-not-above-return":
        at(5, rounded(values[3] * rng.uniform(0.2, 0.6), -2))
        at(11, float(math.floor(values[12] - rng.uniform(0, 10))))
    elif oddity == "pump-150-w":
        at(14, 150.0)
    elif oddity == "demand-100000-w":
        at(16, 100000.0)
        at(4, 40000.0)
    elif oddity == "identity-with-slash":
        text = list(identity(rng)[:4])
        text[rng.randrange(len(text))] = rng.choice("/\\")
        at(23, "".join(text))
    else:
        raise ValueError(f"okänd udda värdesort: {oddity}")


def decimal_parts(value: float) -> tuple:
    """Sign, digits and exponent of the shortest decimal that reads back as `value`."""
    sign, digits, exponent = decimal.Decimal(repr(float(value))).normalize().as_tuple()
    return ("-" if sign else ""), "".join(map(str, digits)), exponent


def plain_text(value: float) -> str:
    """The value in plain decimal notation, integers without a point."""
    return format(decimal.Decimal(repr(float(value))).normalize(), "f")


def exponent_text(value: float, rng: random.Random) -> str:
    sign, digits, exponent = decimal_parts(value)
    if rng.random() < 0.5:
        mantissa = digits[0] + "." + digits[1:]
        exponent += len(digits) - 1
    else:
        mantissa = digits
    letter = rng.choice(("E", "e", "D", "d", ""))
    exponent_digits = f"{exponent:+d}" if letter == "" or rng.random() < 0.5 else str(exponent)
    return sign + mantissa + letter + exponent_digits


def number_text(value: float, rng: random.Random) -> str:
    """The value as one control file line, written in one of the ways the engine reads: plain,
    with an exponent, with blanks before or inside it, with text after column 11 or after a
    comma."""
    plain = plain_text(value)
    style = rng.choices(
        ("plain", "leading-blank", "right", "point", "exponent", "blanks-inside", "plus",
         "after-column-11", "comma"),
        weights=(6, 8, 3, 1, 2, 1, 1, 1, 1),
    )[0]
    if style == "leading-blank":
        text = " " + plain
    elif style == "right":
        text = plain.rjust(NUMBER_WIDTH)
    elif style == "point":
        text = plain + "." if "." not in plain else plain + "0"
    elif style == "exponent":
        text = exponent_text(value, rng)
    elif style == "blanks-inside":
        cut = rng.randrange(len(plain) + 1)
        text = plain[:cut] + " " + plain[cut:]
    elif style == "plus":
        text = plain if plain.startswith("-") else "+" + plain
    elif style == "after-column-11":
        text = (" " + plain).ljust(NUMBER_WIDTH)
    elif style == "comma":
        text = plain + ","
    else:
        text = plain
    # The number must stand whole in the columns the engine reads, or it would read another one.
    if len(text.rstrip()) > NUMBER_WIDTH:
        return plain
    if style == "after-column-11":
        text += rng.choice(("W", "  kommentar", "x1,5 nan", " 99"))
    elif style == "comma":
        text += rng.choice(("", "5", "x", " W"))
    return text


def control_file_lines(values: list, rng: random.Random) -> list:
    """The 23 lines of the control file, without line ends."""
    lines = []
    for line_number, value in enumerate(values, start=1):
        lines.append(value if line_number in TEXT_LINES else number_text(value, rng))
    return lines


def put_letter_in_number(lines: list, rng: random.Random) -> None:
    line = rng.choice(NUMBER_LINES)
    number = lines[line - 1].split(",")[0][:NUMBER_WIDTH].strip()
    if not number or len(number) >= NUMBER_WIDTH:
        number = "1.5"
    cut = rng.randrange(len(number) + 1)
    lines[line - 1] = number[:cut] + rng.choice("xXoOkKaAgGlL°½") + number[cut:]


def control_file_text(lines: list, rng: random.Random, oddity: str | None = None) -> str:
    """The file's text from its lines; `oddity` names one of TEXT_ODDITIES or nothing."""
    lines = list(lines)
    final_end = LINE_END
    if oddity == "letter-in-number":
        put_letter_in_number(lines, rng)
    elif oddity == "short-file":
        lines = lines[: rng.randrange(CONTROL_FILE_LINES)]
    elif oddity == "extra-lines":
        extra = ("nan", "inf", " 1.5", "", "text efter rad 23", "\t", "-1e99")
        lines += [rng.choice(extra) for _ in range(rng.randint(1, 5))]
    elif oddity == "no-final-line-end":
        final_end = ""
    elif oddity is not None:
        raise ValueError(f"okänd udda textsort: {oddity}")
    if not lines:
        return ""
    return LINE_END.join(lines) + final_end


def synthetic_day_temp(rng: random.Random, day: int, climate: tuple) -> float:
    _, mean, swing = climate
    return round(mean - swing * math.cos(2 * math.pi * (day - 20) / 365) + rng.gauss(0, 3), 1)


def climate_line(day: int, temp: float) -> str:
    return f"{day:4d}{temp:7.1f}"


def climate_text(rng: random.Random, climate: tuple, oddity: str) -> str:
    """A climate file of day numbers (columns 1-4) and temperatures (5-11) with one oddity of
    CLIMATE_ODDITIES."""
    days = range(1, 366)
    if oddity == "short-year":
        first = rng.randint(1, 300)
        days = range(first, first + rng.randint(1, 20))
    elif oddity == "leap-year":
        days = range(1, 367)
    if oddity == "no-heating-day":
        lines = [climate_line(day, round(rng.uniform(15.0, 30.0), 1)) for day in days]
    else:
        lines = [climate_line(day, synthetic_day_temp(rng, day, climate)) for day in days]
    if oddity == "empty-last-line":
        lines.append("")
    elif oddity == "bad-line":
        bad = rng.randrange(1, len(lines) - 1)
        day = bad + 1
        lines[bad] = rng.choice((f"{day:4d}  -4.x", "abc", f"{day:4d}   minus", "  1O   -3.0"))
    elif oddity == "no-decimal-point":
        start = rng.randrange(len(lines))
        for i in range(start, min(len(lines), start + rng.randint(1, 60))):
            day = int(lines[i][:4])
            lines[i] = f"{day:4d}{round(float(lines[i][4:]) * 10):7d}"
    elif oddity not in ("short-year", "leap-year", "no-heating-day"):
        raise ValueError(f"okänd udda klimatsort: {oddity}")
    return LINE_END.join(lines) + LINE_END


def generate_case(seed: int, index: int) -> Case:
    rng = case_random(seed, index)
    value_oddity = text_oddity = None
    if rng.random() < ODD_SHARE:
        oddity = rng.choice(VALUE_ODDITIES + TEXT_ODDITIES)
        if oddity in VALUE_ODDITIES:
            value_oddity = oddity
        else:
            text_oddity = oddity
    values = generate_values(rng, value_oddity)
    text = control_file_text(control_file_lines(values, rng), rng, text_oddity)
    kinds = [k for k in (value_oddity, text_oddity) if k]
    case = Case(values=values, kind="", control_text=text)
    if rng.random() < OWN_CLIMATE_SHARE:
        climate_oddity = rng.choice(CLIMATE_ODDITIES)
        climate = climate_of(values[CLIMATE_LINE - 1])
        case.climate_name = climate[0]
        case.climate_text = climate_text(rng, climate, climate_oddity)
        kinds.append("climate-" + climate_oddity)
    case.kind = "+".join(kinds) or "normal"
    return case


def case_folder_name(index: int) -> str:
    return f"case-{index:05d}"


def write_case(folder: pathlib.Path, case: Case) -> None:
    folder.mkdir(parents=True)
    (folder / CONTROL_FILE_NAME).write_bytes(case.control_text.encode(ENCODING))
    if case.climate_name:
        (folder / case.climate_name).write_bytes(case.climate_text.encode(ENCODING))


def write_cases(out: pathlib.Path, count: int, seed: int) -> None:
    out.mkdir(parents=True, exist_ok=True)
    index_lines = []
    for index in range(1, count + 1):
        case = generate_case(seed, index)
        write_case(out / case_folder_name(index), case)
        index_lines.append(f"{case_folder_name(index)} {case.kind}\n")
    (out / "cases.txt").write_text("".join(index_lines), encoding="utf-8")


def main(argv: list) -> int:
    parser = argparse.ArgumentParser(description="Skriver slumpade men rimliga fall för kalvex.")
    parser.add_argument("--count", type=int, required=True, help="antal fall")
    parser.add_argument("--seed", type=int, required=True, help="slumpfrö")
    parser.add_argument("--out", type=pathlib.Path, required=True, help="mapp för fallen")
    args = parser.parse_args(argv)
    if args.count < 1:
        parser.error("--count måste vara minst 1")
    if args.out.exists() and any(args.out.iterdir()):
        parser.error(f"mappen {args.out} är inte tom")
    write_cases(args.out, args.count, args.seed)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

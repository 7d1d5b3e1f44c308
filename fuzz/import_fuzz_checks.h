// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/climate_import/import_result.h"
#include "core/climate_import/source_format.h"
#include "fuzz/fuzz_support.h"

namespace varmkalk::fuzz {

// The name every fuzz target gives its source.
constexpr std::string_view kSourceName = "källa.csv";

// The two ways every target imports: with the source's own year, and as 2009 with suspect values
// allowed.
inline const std::array<core::ImportOptions, 2> kImportWays{
    core::ImportOptions{std::string(kSourceName), std::nullopt, false},
    core::ImportOptions{std::string(kSourceName), 2009, true}};

// Aborts, which libFuzzer records with the input, unless the outcome keeps the import's
// promise: a year of 365 or 366 daily means within the limits that formats to lines of exactly
// 11 characters and reads back unchanged, or one line of valid UTF-8 without control characters
// that names the source.
void require_kept_promise(const core::ImportResult& outcome);

// Imports `bytes` as the given format (decoded as the import decodes them) in both ways, and
// checks both outcomes.
void import_both_ways(std::string_view bytes, core::SourceFormat format);

}  // namespace varmkalk::fuzz

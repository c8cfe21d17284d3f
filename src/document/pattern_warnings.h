#pragma once
// Why a pattern just added to a tracker will track badly, in the words the
// user reads: the tracker dialog's "Nuevo" and a dropped pattern or picture
// both say it after adding it anyway. Nothing here refuses a pattern.

#include "project/pattern.h"

#include <list>
#include <string>

// "El patrón 'x':" and one line per problem of `pattern` (read in wrong
// turns, plain, too close to another of `patterns`); empty when nothing is
// wrong or its file cannot be read (the run reports that).
std::string NewPatternWarnings(const CPattern& pattern, const std::list<CPattern>& patterns,
                               const std::string& projectDir);

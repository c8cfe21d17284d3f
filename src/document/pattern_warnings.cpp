#include "document/pattern_warnings.h"

#include "document/project_paths.h"
#include "document/said_text.h"
#include "tracking/pattern_file.h"
#include "tracking/pattern_quality.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
bool ReadBlocks(const CPattern& pattern, const std::string& projectDir, PatternBlocks* blocks)
{
    unsigned char read[kPatternOrientations][kPatternValues];
    const std::string path = ResolveProjectPath(pattern.m_strFile, projectDir);
    if (readPatternFile(path.c_str(), read) != PatternFileStatus::Ok)
        return false;
    for (int h = 0; h < kPatternOrientations; ++h)
        std::copy(read[h], read[h] + kPatternValues, (*blocks)[h].begin());
    return true;
}

std::string Number(const char* format, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}
} // namespace

std::string NewPatternWarnings(const CPattern& pattern, const std::list<CPattern>& patterns,
                               const std::string& projectDir)
{
    PatternBlocks blocks;
    if (!ReadBlocks(pattern, projectDir, &blocks))
        return std::string();
    std::vector<PatternBlocks> others;
    std::vector<std::string> names;
    for (const CPattern& other : patterns)
    {
        PatternBlocks otherBlocks;
        if (&other == &pattern || !ReadBlocks(other, projectDir, &otherBlocks))
            continue;
        others.push_back(otherBlocks);
        names.push_back(other.m_strName);
    }
    std::string text;
    for (const PatternWarning& warning : checkPattern(blocks[0].data(), others))
    {
        switch (warning.issue)
        {
        case PatternIssue::AlikeTurned:
            text += Said(QCoreApplication::translate(
                             "CTrackerDialog",
                             "\n- se ve casi igual girado un cuarto o media vuelta "
                             "(correlación %1): sus marcadores se leerán mal girados."),
                         {Number("%.2f", warning.value)});
            break;
        case PatternIssue::LowContrast:
            text += Said(QCoreApplication::translate(
                "CTrackerDialog",
                "\n- tiene muy poco contraste: se confundirá con superficies lisas."));
            break;
        case PatternIssue::LittleDetail:
            text += Said(QCoreApplication::translate(
                             "CTrackerDialog",
                             "\n- tiene muy poco detalle (un %1 % es un degradado): se "
                             "confundirá con superficies lisas mal iluminadas."),
                         {Number("%.0f", 100.0 * warning.value)});
            break;
        case PatternIssue::CloseToOther:
            text += Said(QCoreApplication::translate(
                             "CTrackerDialog",
                             "\n- se parece demasiado al patrón '%1' (correlación %2): "
                             "uno se leerá como el otro."),
                         {names[warning.other], Number("%.2f", warning.value)});
            break;
        }
    }
    if (text.empty())
        return text;
    return Said(QCoreApplication::translate("CTrackerDialog", "El patrón '%1':"),
                {pattern.m_strName}) +
           text;
}

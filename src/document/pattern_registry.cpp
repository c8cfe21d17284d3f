#include "document/pattern_registry.h"

#include "document/said_text.h"
#include "project/tracker.h"
#include "project/user_messages.h"
#include "render/tracker_draw.h"

#include <QCoreApplication>

namespace
{
void ReportWidthConflict(const CPattern& pattern, const CPattern& registered)
{
    ShowMessage(
        Said(QCoreApplication::translate("CPatternRegistry",
                                         "El patrón '%1' se repite en varios Trackers con anchos "
                                         "diferentes. Se utilizará el ancho '%2'"),
             {pattern.m_strName, std::to_string(registered.m_nWidth)}),
        Said(QCoreApplication::translate("CPatternRegistry", "Aviso")), MessageIcon::Exclamation);
}
} // namespace

void BuildPatternRegistry(std::list<CTracker>& trackers, std::list<CPatternEntry>& registry)
{
    BuildPatternSlots(trackers, registry, ReportWidthConflict);
    for (CTracker& tracker : trackers)
        ReloadTrackerModels(tracker);
}

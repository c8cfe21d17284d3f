#include "ui/shell/recent_file_list.h"

#include <QFileInfo>
#include <QSettings>

namespace
{
const char* const kSection = "Recent File List";

QString Key(int index)
{
    return QString("%1/File%2").arg(kSection).arg(index + 1);
}

// The same project reached through another spelling of its path is one entry.
QString Canonical(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}
} // namespace

CRecentFileList::CRecentFileList()
{
    QSettings settings;
    for (int k = 0; k < kMaxFiles; ++k)
    {
        const QString file = settings.value(Key(k)).toString();
        if (!file.isEmpty() && !m_files.contains(file))
            m_files.append(file);
    }
}

void CRecentFileList::Add(const QString& path)
{
    const QString file = Canonical(path);
    m_files.removeAll(file);
    m_files.prepend(file);
    while (m_files.size() > kMaxFiles)
        m_files.removeLast();
    Save();
}

void CRecentFileList::Remove(const QString& path)
{
    m_files.removeAll(path);
    m_files.removeAll(Canonical(path));
    Save();
}

void CRecentFileList::Save() const
{
    QSettings settings;
    for (int k = 0; k < kMaxFiles; ++k)
    {
        if (k < m_files.size())
            settings.setValue(Key(k), m_files[k]);
        else
            settings.remove(Key(k));
    }
}

#pragma once
// The recent-file list of the "Archivo" menu: at most four projects, the
// latest first, kept in the user's settings under the application's names.

#include <QStringList>

class CRecentFileList
{
  public:
    static constexpr int kMaxFiles = 4;

    CRecentFileList();

    // `path` moves to (or enters at) the front; the oldest falls off.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return m_files; }

  private:
    void Save() const;

    QStringList m_files;
};

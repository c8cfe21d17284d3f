#include "ui/shell/file_drop_target.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

CFileDropTarget::CFileDropTarget(DropHandler onDrop, QObject* parent)
    : QObject(parent), m_onDrop(std::move(onDrop))
{
}

void CFileDropTarget::Watch(QObject* target)
{
    target->installEventFilter(this);
}

QStringList DraggedLocalFiles(const QMimeData* mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls())
    {
        if (!url.isLocalFile())
            return QStringList();
        paths << url.toLocalFile();
    }
    return paths;
}

bool CFileDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type())
    {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DraggedLocalFiles(drag->mimeData()).isEmpty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop:
    {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = DraggedLocalFiles(drop->mimeData());
        if (paths.isEmpty())
        {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // Messages and the save prompt may follow; they wait until the
        // drag's source has heard that its drop went through.
        QMetaObject::invokeMethod(
            this, [this, paths] { m_onDrop(paths); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

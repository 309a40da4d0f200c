#pragma once
// How many elements a drawing puts on the page once every <use> is followed: a <use> draws the
// whole of what it names, so uses of uses multiply (ten uses of ten uses of ... a shape), and a
// small file can ask for billions of shapes. Counted over the document's elements as the
// sanitizer reads them, without building anything.

#include <QHash>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

class UseFanout {
public:
    // In document order: an element opens (with its id and, for a <use>, the local id it names),
    // then its children, then it closes.
    void Open(QStringView id, QStringView useTarget);
    void Close();

    // The elements drawn with every use followed, at most `limit` (counting stops there); -1 when
    // a use names itself or an element containing it (it would never end).
    int64_t Instances(int64_t limit) const;

private:
    std::vector<int32_t> _parent;                    // per element, -1 for the root
    std::vector<std::pair<int32_t, QString>> _uses;  // a use's index and the id it names
    QHash<QString, int32_t> _ids;
    std::vector<int32_t> _open;
};

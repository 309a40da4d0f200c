// The queue labels live with the port list, which resolves them without talking to CUPS: the
// sender and the window know a stored queue by its label even where libcups is not linked.
#include "platform/print_queue.h"

std::string QueueLabel(const std::string& queue) { return kQueueLabelPrefix + queue; }

std::optional<std::string> QueueFromLabel(const std::string& portName) {
    const std::size_t n = sizeof kQueueLabelPrefix - 1;
    if (portName.size() <= n || portName.compare(0, n, kQueueLabelPrefix) != 0) return {};
    return portName.substr(n);
}

#include "sim/hidparse/hid_parser.h"

#include "sim/hidparse/descriptor_parser.h"

namespace simhid {

NTSTATUS ParseTopLevelCollections(const BYTE* descriptor, ULONG length,
                                  std::vector<PHIDP_PREPARSED_DATA>* collections) {
    if (!collections)
        return kStatusInvalidParameter;
    collections->clear();
    detail::Collections parsed;
    NTSTATUS status = detail::ParseDescriptor(descriptor, length, &parsed);
    if (status != HIDP_STATUS_SUCCESS)
        return status;
    for (auto& block : parsed) {
        PHIDP_PREPARSED_DATA data = detail::Publish(block.release());
        if (!data) {
            for (PHIDP_PREPARSED_DATA done : *collections)
                detail::Release(done);
            collections->clear();
            return kStatusInsufficientResources;
        }
        collections->push_back(data);
    }
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS ParseReportDescriptor(const BYTE* descriptor, ULONG length, PHIDP_PREPARSED_DATA* data) {
    if (!data)
        return kStatusInvalidParameter;
    *data = nullptr;
    std::vector<PHIDP_PREPARSED_DATA> collections;
    NTSTATUS status = ParseTopLevelCollections(descriptor, length, &collections);
    if (status != HIDP_STATUS_SUCCESS)
        return status;
    *data = collections.front();
    for (size_t i = 1; i < collections.size(); ++i)
        detail::Release(collections[i]);
    return HIDP_STATUS_SUCCESS;
}

void FreePreparsedData(PHIDP_PREPARSED_DATA data) {
    detail::Release(data);
}

} // namespace simhid

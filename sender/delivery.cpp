#include "sender/delivery.h"

#include "plotjob/product_folder.h"

std::string FramedPlotPath(const TDeliverySetup& setup) {
    return ProductFile(setup.productFolder, product::kFramedPlot);
}

#pragma once

#include "data/PrinterProvider.h"
#include "platform/surface/PrinterSurface.h"

#include <memory>

// The job handling both providers share: one printer surface, one sheet per page, the range.
class PrinterProviderBase : public PrinterProvider {
public:
    ~PrinterProviderBase() override;

    int fromPage() const override { return from_; }
    int toPage() const override { return to_; }
    bool isOpen() const override { return printer_ != nullptr; }
    vb::PrinterSurface& nextSheet() override;
    void end() override;
    void abort() override;

protected:
    void open(std::unique_ptr<vb::PrinterSurface> printer, int from, int to);

private:
    std::unique_ptr<vb::PrinterSurface> printer_;
    int sheets_ = 0;
    int from_ = 0;
    int to_ = 0;
};

#pragma once

#include "platform/vb/Value.h"

#include <QString>
#include <array>
#include <optional>

// Up to four index columns with optional values (SPI1, SPI1W, ..., SPI4, SPI4W): a name
// without a value only orders the rows, a name with a value also selects them. Written at
// the call as a braced list: {"IDOBJEKT", 11, "LFDNR", 0, "PKTNR"}.
struct IndexPairs {
    IndexPairs(QString spi1 = {}, std::optional<vb::Value> spi1w = std::nullopt,
               QString spi2 = {}, std::optional<vb::Value> spi2w = std::nullopt,
               QString spi3 = {}, std::optional<vb::Value> spi3w = std::nullopt,
               QString spi4 = {}, std::optional<vb::Value> spi4w = std::nullopt)
        : name{std::move(spi1), std::move(spi2), std::move(spi3), std::move(spi4)},
          value{std::move(spi1w), std::move(spi2w), std::move(spi3w), std::move(spi4w)}
    {
    }

    std::array<QString, 4> name;
    std::array<std::optional<vb::Value>, 4> value;
};

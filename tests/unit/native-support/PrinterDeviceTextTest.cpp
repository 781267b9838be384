#include "PrinterDeviceText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace pelmora {
namespace {

using Token = std::optional<std::string_view>;

TEST(PrinterDeviceText, NamesPrinterDriverAndPort) {
    const auto printer = parseDeviceText("Pelmora Laser,wineps.drv,FILE:");
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->device, "Pelmora Laser");
    EXPECT_EQ(printer->driver, Token("wineps.drv"));
    EXPECT_EQ(printer->port, Token("FILE:"));
}

TEST(PrinterDeviceText, BlanksBelongToThePrinterNameButSeparateDriverAndPort) {
    const auto printer = parseDeviceText("  Office Printer 2 ,  winspool  LPT1: extra");
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->device, "  Office Printer 2 ");
    EXPECT_EQ(printer->driver, Token("winspool"));
    EXPECT_EQ(printer->port, Token("LPT1:"));
}

TEST(PrinterDeviceText, RunsOfSeparatorsCountAsOne) {
    const auto printer = parseDeviceText("Name,,, ,driver,, ,port,,");
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->device, "Name");
    EXPECT_EQ(printer->driver, Token("driver"));
    EXPECT_EQ(printer->port, Token("port"));
}

TEST(PrinterDeviceText, LeadingCommasAreSkippedLikeAnyOtherRun) {
    // The first token starts after them, so the driver's text becomes the printer name.
    const auto printer = parseDeviceText(",wineps.drv,FILE:");
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->device, "wineps.drv");
    EXPECT_EQ(printer->driver, Token("FILE:"));
    EXPECT_EQ(printer->port, std::nullopt);
}

TEST(PrinterDeviceText, MissingDriverOrPortStayAbsent) {
    const auto onlyName = parseDeviceText("Lonely Printer");
    ASSERT_TRUE(onlyName);
    EXPECT_EQ(onlyName->device, "Lonely Printer");
    EXPECT_EQ(onlyName->driver, std::nullopt);
    EXPECT_EQ(onlyName->port, std::nullopt);

    const auto noPort = parseDeviceText("Name,driver, ,");
    ASSERT_TRUE(noPort);
    EXPECT_EQ(noPort->driver, Token("driver"));
    EXPECT_EQ(noPort->port, std::nullopt);
}

TEST(PrinterDeviceText, NoPrinterNameMeansNoPrinter) {
    EXPECT_FALSE(parseDeviceText(",,,"));
    EXPECT_FALSE(parseDeviceText(""));
    EXPECT_FALSE(parseDeviceText(","));
}

TEST(PrinterDeviceText, ABlankIsAPrinterName) {
    // Only commas end the first token.
    const auto printer = parseDeviceText(" ,,,");
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->device, " ");
    EXPECT_EQ(printer->driver, std::nullopt);
}

TEST(PrinterDeviceText, TokensPointIntoTheText) {
    const std::string text = "P,d,p";
    const auto printer = parseDeviceText(text);
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->device.data(), text.data());
    EXPECT_EQ(printer->port->data(), text.data() + 4);
}

}  // namespace
}  // namespace pelmora

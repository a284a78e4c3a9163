#include "catalogue/Catalogue.h"

// Every row uses the same plug-in, but the table is read by row so a model can get its own.
const char* const g_pszPluginNames[kModelRowCount] = {
    "RXRND", "RXRND", "RXRND", "RXRND", "RXRND", "RXRND", "RXRND", "RXRND", "RXRND",
};

const char* const g_pszModelNames[2 * kModelRowCount] = {
    "RX1nocut",
    "RX1cut",
    "RX2nocut",
    "RX2cut",
    "RX3",
    "RX3N",
    "RXH3",
    "RXF3",
    "QL9",
    "RX-1(No Cut) Series",
    "RX-1(Cut) Series",
    "RX-2(No Cut) Series",
    "RX-2(Cut) Series",
    "RX-3 Series",
    "RX-3N Series",
    "RX-H3 Series",
    "RX-F3 Series",
    "QL-9 Series",
};

const char* const g_pszPortValueNames[7] = {
    "LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:",
};

const char* const g_pszBaudRates[9] = {
    "300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200",
};

const char* const g_pszDataBits[4] = {"5", "6", "7", "8"};

const char* const g_pszStopBits[3] = {"1", "1.5", "2"};

// Even, Mark, None, Odd, Space.
const char* const g_pszParity[5] = {"E", "M", "N", "O", "S"};

// None, XonXoff, Hardware. "No handshake" is a single space in the Ports syntax, not an empty
// field.
const char* const g_pszFlowControl[3] = {" ", "x", "p"};

const StoredText g_modelTexts[kModelRowCount] = {
    {"EGDEJSGEGEJTERDHBAHRGIHUDEHKHJHQHXHFBTJNDPAMFFHG", 0x3A7C},
    {"HPDEBAFYGNDRJHEQEGEDEECSJNBCAMCHABDWJKAWHL", 0x91E5},
    {"APGMBQBZAJEDBHGSBIDUDUCEHOGICHHCBYDJBWGZDKFGAY", 0x5B20},
    {"FOEKFQAGCAGDDVEOFBAQFNHGFJEICUJRILAVCYIG", 0xC4D9},
    {"DNALEHBVBGFDHEGYJNGLDFAEJIDZCX", 0x0F63},
    {"BQGLDCHMEMAFFMFUHXJLCZASGTCQJNBX", 0x7E18},
    {"JMABIIDGAADOGRICITHSDFFYCKBEJDCC", 0xA2B4},
    {"CFFPGUFWIDDSJSHAESGXEPBOIGHMDKBZ", 0x6D0F},
    {"HGEFIHHOALGRHOALHVFNFMHLIS", 0xE851},
};

const StoredText g_initialPrinterName = {"EQJPIGEUCPGIBHBJBSECFNHZFMBRFTAACEHQJLFCGT", 0x2C97};

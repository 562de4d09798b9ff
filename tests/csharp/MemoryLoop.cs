// Loads, reads and writes a document many times, half the proxies disposed and
// half left to the finalizer, then reads strings of both kinds many times: the
// resident set must not grow with the rounds (no leaked objects or COM strings).
using System;
using System.IO;

static class MemoryLoop
{
    const long AllowedGrowthKiB = 4096;

    // Batches of the same size, so that the memory in use peaks alike in each.
    public static int Run(string sample)
    {
        long before = 0;
        for (int batch = 0; batch < 12; ++batch) {
            if (batch == 2)
                before = ResidentKiB();
            Documents(sample, 300);
            Strings(sample, 20000);
        }
        long growth = ResidentKiB() - before;
        Console.WriteLine("resident set grew by {0} KiB over 3000 documents and 400000 strings", growth);
        return growth <= AllowedGrowthKiB ? 0 : 1;
    }

    static void Documents(string sample, int rounds)
    {
        for (int i = 0; i < rounds; ++i) {
            var document = new Kyr();
            document.loadFile(sample);
            XMLDocumentResult result = document.writeString();
            if (result.getXmlDocument().Length == 0 || document.get_Color(0).get_ColorName().Length == 0)
                throw new InvalidDataException("round " + i + " read nothing");
            if (i % 2 == 0) {
                result.Dispose();
                document.Dispose();
            }
        }
        Collect();
    }

    static void Strings(string sample, int rounds)
    {
        using (var document = new Kyr()) {
            document.loadFile(sample);
            ColorType colour = document.get_Color(0);
            for (int i = 0; i < rounds; ++i) {
                if (colour.get_ColorName() != "Poppy red" || KyrModule.convert_to_narrow("Poppy red").Length != 9)
                    throw new InvalidDataException("round " + i + " read the wrong name");
            }
        }
        Collect();
    }

    static void Collect()
    {
        GC.Collect();
        GC.WaitForPendingFinalizers();
        GC.Collect();
    }

    static long ResidentKiB()
    {
        foreach (string line in File.ReadAllLines("/proc/self/status")) {
            if (line.StartsWith("VmRSS:"))
                return long.Parse(line.Substring(6).Trim().Split(' ')[0]);
        }
        throw new InvalidDataException("no VmRSS in /proc/self/status");
    }
}

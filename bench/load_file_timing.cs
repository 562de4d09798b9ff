// Times whole-document loads through the assembly's proxies, for the comparison
// with load_file_timing.cpp: prints the wall-clock and thread CPU seconds of each
// round, each round one document loaded and disposed.
//
//     mono load_file_timing.exe CORPUS ROUNDS
using System;
using System.Diagnostics;
using System.Globalization;
using System.Runtime.InteropServices;

static class LoadFileTiming
{
    [StructLayout(LayoutKind.Sequential)]
    struct TimeSpec
    {
        public long Seconds;
        public long Nanoseconds;
    }

    [DllImport("libc")]
    static extern int clock_gettime(int clock, out TimeSpec now);

    const int CLOCK_THREAD_CPUTIME_ID = 3;

    static double ThreadSeconds()
    {
        TimeSpec now;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, out now);
        return now.Seconds + now.Nanoseconds / 1e9;
    }

    static int Main(string[] args)
    {
        if (args.Length != 2) {
            Console.Error.WriteLine("usage: load_file_timing.exe CORPUS ROUNDS");
            return 2;
        }
        for (int round = int.Parse(args[1]); round > 0; --round) {
            Stopwatch clock = Stopwatch.StartNew();
            double cpu = ThreadSeconds();
            using (var document = new Kyr()) {
                if (document.loadFile(args[0]) != elmx_error.ELMX_OK)
                    return 1;
            }
            Console.WriteLine(string.Format(CultureInfo.InvariantCulture, "{0:F4} {1:F4}", clock.Elapsed.TotalSeconds,
                                            ThreadSeconds() - cpu));
        }
        return 0;
    }
}

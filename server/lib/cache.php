<?php
// The answers every player asks for (the top of the leaderboard, the count,
// the web page), kept for a moment: most requests then read a small file
// instead of the database. An answer is renewed after
// SCOREBOARD_CACHE_SECONDS (1; 0 keeps none), and at once on this machine
// when a score joins the list (a worker proved one, or an unverified score
// is listed), so every web node shows a new score within that moment.
declare(strict_types=1);

// The folder of this scoreboard's answers: one per database and way of
// listing, in SCOREBOARD_CACHE_DIR (by default the temporary folder).
function cache_dir(): string
{
    $board = setting('SCOREBOARD_DSN', '') ?: sqlite_file();
    return setting('SCOREBOARD_CACHE_DIR', sys_get_temp_dir()) . '/skitterworm-cache-'
        . substr(hash('sha256', $board . listed_only()), 0, 16);
}

// The answer kept under $key while it is fresh, else $make()'s, then kept.
function cached(string $key, callable $make): string
{
    $seconds = (float) setting('SCOREBOARD_CACHE_SECONDS', '1');
    if ($seconds <= 0) {
        return $make();
    }
    $file = cache_dir() . "/$key";
    $kept = @file_get_contents($file);
    if (is_string($kept) && ($newline = strpos($kept, "\n")) !== false && (float) substr($kept, 0, $newline)
        > microtime(true)) {
        return substr($kept, $newline + 1);
    }
    $text = $make();
    if (!is_dir(dirname($file))) {
        @mkdir(dirname($file), 0700, true);
    }
    // Written aside and renamed into place: a reader never sees half of it.
    $aside = "$file." . getmypid();
    if (@file_put_contents($aside, sprintf("%.3f\n", microtime(true) + $seconds) . $text) !== false) {
        @rename($aside, $file);
    }
    return $text;
}

// Drops the kept answers: the list changed.
function renew_cache(): void
{
    foreach (glob(cache_dir() . '/*') ?: [] as $file) {
        @unlink($file);
    }
}

<?php
// The verifier worker: takes the games waiting for verification, plays each
// replay with the verifier (SCOREBOARD_VERIFIER) and marks the game verified
// or refused, so that no web request waits for a verification. It runs
// beside the web server, on as many machines as wanted, all on the one
// database; at the lowest priority, and on each machine at most one
// verification per processor core at a time, whatever the number of
// workers (they share lock files in SCOREBOARD_SLOT_DIR), so the web
// server's answers keep their speed during a flood of posts.
//
//   php worker.php [--settings FILE] [--jobs N]   runs until stopped (SIGTERM)
//   php worker.php [--settings FILE] --status     how many games wait, whether verification works
//
// Settings come from the environment, as the web script's; --settings reads
// them from a PHP-FPM pool file's env[NAME] = "value" lines instead (the
// deployment's one place for them). --jobs: verifications at once (default:
// the processor cores). Besides the web script's settings:
//   SCOREBOARD_LEASE_SECONDS   how long a claimed game is the worker's (default: 30 s more
//                              than a verification may take on the clock)
//   SCOREBOARD_RETRY_SECONDS   when a game the verifier could not play is tried again (30)
//   SCOREBOARD_SLOT_DIR        the lock files of the machine's cores (in the temporary folder)
declare(strict_types=1);

require __DIR__ . '/lib/storage.php';
require __DIR__ . '/lib/verifier.php';
require __DIR__ . '/lib/queue.php';
require __DIR__ . '/lib/scores.php';
require __DIR__ . '/lib/cache.php';

$options = getopt('', ['settings:', 'jobs:', 'status']);
if (isset($options['settings']) && !load_settings((string) $options['settings'])) {
    exit(2);
}
if (isset($options['status'])) {
    exit(print_status());
}
$verifier = setting('SCOREBOARD_VERIFIER', '');
if ($verifier === '') {
    fwrite(STDERR, "scoreboard worker: no verifier is set (SCOREBOARD_VERIFIER)\n");
    exit(2);
}
proc_nice(19);
run_workers(max(1, (int) ($options['jobs'] ?? cores())), $verifier);

// Puts a pool file's env[NAME] = "value" lines into the environment.
function load_settings(string $file): bool
{
    $lines = @file($file, FILE_IGNORE_NEW_LINES);
    if ($lines === false) {
        fwrite(STDERR, "scoreboard worker: cannot read the settings in $file\n");
        return false;
    }
    foreach ($lines as $line) {
        if (preg_match('/^\s*env\[(\w+)\]\s*=\s*(?:"([^"]*)"|(\S*))\s*$/', $line, $m)) {
            putenv($m[1] . '=' . ($m[2] !== '' ? $m[2] : ($m[3] ?? '')));
        }
    }
    return true;
}

function print_status(): int
{
    [$waiting, $state, $age] = verification_status();
    $games = $waiting === 1 ? '1 game waits' : "$waiting games wait";
    $text = match ($state) {
        'ok' => "verification works (a worker reported $age s ago)",
        'started' => "a worker runs (it reported $age s ago) and has verified no game yet",
        'no worker' => 'no verifier worker has reported for ' . (HEARTBEAT_SECONDS * 3) . ' s',
        default => "verification does not work: $state",
    };
    echo "$games for verification; $text\n";
    return $state === 'ok' || $state === 'started' ? 0 : 1;
}

function cores(): int
{
    return max(1, (int) shell_exec('nproc 2>/dev/null'));
}

// Starts the worker processes and keeps them running until SIGTERM or SIGINT.
function run_workers(int $jobs, string $verifier): void
{
    $children = [];
    $stopping = false;
    pcntl_async_signals(true);
    $stop = function () use (&$children, &$stopping) {
        $stopping = true;
        foreach (array_keys($children) as $pid) {
            posix_kill($pid, SIGTERM);
        }
    };
    pcntl_signal(SIGTERM, $stop);
    pcntl_signal(SIGINT, $stop);
    fwrite(STDERR, "scoreboard worker: $jobs at once, verifying with $verifier\n");
    while (true) {
        while (!$stopping && count($children) < $jobs) {
            $pid = pcntl_fork();
            if ($pid === 0) {
                pcntl_signal(SIGTERM, SIG_DFL);
                pcntl_signal(SIGINT, SIG_DFL);
                exit(work($verifier));
            }
            $children[$pid] = true;
        }
        $pid = pcntl_wait($status);
        if ($pid > 0) {
            unset($children[$pid]);
            if (!$stopping) {
                fwrite(STDERR, "scoreboard worker: a worker process ended (status $status); starting another\n");
                sleep(1);
            }
        }
        if ($stopping && !$children) {
            return;
        }
    }
}

// One worker process: a verification at a time, while a core is free.
function work(string $verifier): int
{
    $stopping = false;
    pcntl_signal(SIGTERM, function () use (&$stopping) {
        $stopping = true;
    });
    $owner = gethostname() . ':' . getmypid();
    $lease = (int) setting('SCOREBOARD_LEASE_SECONDS', (string) (wall_seconds() + 30));
    $state = 'started';
    $reported = 0;
    while (!$stopping) {
        $slot = $game = null;
        try {
            if (time() - $reported >= HEARTBEAT_SECONDS) {
                report_verifier($state);
                prune_attempts();
                $reported = time();
            }
            $slot = free_core();
            $game = $slot ? claim_game($owner, $lease) : null;
            $now = $game ? verify_claimed($verifier, $owner, $game) : null;
            if ($now !== null && $now !== $state) {
                $state = $now;
                report_verifier($state);
                $reported = time();
            }
        } catch (Throwable $e) {
            fwrite(STDERR, 'scoreboard worker: ' . $e->getMessage() . "\n");
            sleep(2);
        } finally {
            if ($slot) {
                flock($slot, LOCK_UN);
            }
        }
        if ($game === null) {
            usleep(200000);  // nothing waits, or every core verifies
        }
    }
    return 0;
}

// A lock on one of the machine's core slots, or null when every core verifies.
function free_core()
{
    static $slots = null;
    if ($slots === null) {
        $dir = setting('SCOREBOARD_SLOT_DIR', sys_get_temp_dir() . '/skitterworm-slots-' . posix_geteuid());
        @mkdir($dir, 0700, true);
        $slots = [];
        for ($i = 0; $i < cores(); $i++) {
            $slot = @fopen("$dir/core$i.lock", 'c');
            if ($slot === false) {
                throw new RuntimeException("cannot open the lock files in $dir (SCOREBOARD_SLOT_DIR)");
            }
            $slots[] = $slot;
        }
    }
    foreach ($slots as $slot) {
        if (flock($slot, LOCK_EX | LOCK_NB)) {
            return $slot;
        }
    }
    return null;
}

// Verifies a claimed game; returns the state of verification: 'ok', or why
// the verifier could not run (the game then waits to be tried again), or
// null when the game was settled without playing it.
function verify_claimed(string $verifier, string $owner, array $game): ?string
{
    $id = (int) $game['id'];
    $started = microtime(true);
    if ($game['digest'] === null) {
        // Posted while the verifier could not read its identity.
        $identity = replay_identity($verifier, $game['replay']);
        if (isset($identity['failed'])) {
            return could_not_run($id, $owner, $identity['failed']);
        }
        $outcome = $identity['refused'] ?? (to_utf8($identity['name']) !== $game['name']
            ? 'the replay is signed by another name' : null);
        if ($outcome !== null) {
            finish_game($id, $owner, REFUSED, $outcome);
            fwrite(STDERR, "scoreboard worker: game $id refused: $outcome\n");
            return null;
        }
        if (!identify_game($id, $identity['digest'])) {
            fwrite(STDERR, "scoreboard worker: game $id is a second copy of a stored game; dropped\n");
            return null;
        }
    }
    $outcome = verify_game($verifier, $game['replay'], (int) $game['score'], (int) $game['stage'], (int) $game['wave']);
    if (isset($outcome['failed'])) {
        return could_not_run($id, $owner, $outcome['failed']);
    }
    $verified = !isset($outcome['refused']);
    $kept = finish_game($id, $owner, $verified ? VERIFIED : REFUSED, $outcome['refused'] ?? null);
    if ($verified && $kept) {
        renew_cache();
    }
    fwrite(STDERR, sprintf("scoreboard worker: game %d %s in %.2f s%s\n", $id, $verified ? 'verified' : 'refused',
        microtime(true) - $started, ($verified ? '' : ": {$outcome['refused']}")
        . ($kept ? '' : ' (its lease had ended: another worker took it)')));
    return 'ok';
}

// A game the verifier could not play waits, to be tried again in
// SCOREBOARD_RETRY_SECONDS (30).
function could_not_run(int $id, string $owner, string $why): string
{
    $retry = (int) setting('SCOREBOARD_RETRY_SECONDS', '30');
    postpone_game($id, $owner, $retry);
    fwrite(STDERR, "scoreboard worker: the verifier cannot run; game $id waits (tried again in $retry s): $why\n");
    return $why;
}

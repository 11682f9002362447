<?php
// Proving a score by playing its replay: the game's own executable, run
// with --verify on the submitted replay under a time and memory limit.
declare(strict_types=1);

// Whether the replay ends with exactly the submitted result: true when it
// does, false when it does not, and a reason for the log when the verifier
// could not give an answer (it did not run, crashed or ran out of time).
function verify_replay(string $verifier, Submission $submission): bool|string
{
    $seconds = max(1, (int) setting('SCOREBOARD_VERIFIER_SECONDS', '10'));
    $megabytes = max(64, (int) setting('SCOREBOARD_VERIFIER_MEMORY', '1024'));
    $file = tempnam(sys_get_temp_dir(), 'skitterworm-replay-');
    if ($file === false || file_put_contents($file, $submission->replay) === false) {
        return 'cannot write the replay to a temporary file';
    }
    try {
        // The shell sets the limits and then becomes the game. Its output is
        // bounded: one line is expected, anything past 4 KB is ignored.
        $process = proc_open(['/bin/sh', '-c', 'ulimit -v "$1" && ulimit -t "$2" && exec "$3" --verify "$4"', 'sh',
            (string) ($megabytes * 1024), (string) ($seconds + 1), $verifier, $file],
            [0 => ['file', '/dev/null', 'r'], 1 => ['pipe', 'w'], 2 => ['file', '/dev/null', 'w']], $pipes);
        if (!is_resource($process)) {
            return "cannot start $verifier";
        }
        $output = read_until($pipes[1], microtime(true) + $seconds);
        fclose($pipes[1]);
        if ($output === null) {
            proc_terminate($process, 9);
            proc_close($process);
            return "$verifier took longer than $seconds s";
        }
        $status = proc_close($process);
    } finally {
        unlink($file);
    }
    if (!preg_match('/^seed -?[0-9]+ score ([0-9]+) stage ([0-9]+) wave ([0-9]+) frames [0-9]+\n?$/', $output, $m)) {
        return $status === 2 ? false : "$verifier answered \"" . substr(trim($output), 0, 100) . "\" (status $status)";
    }
    return $status === 0 && (int) $m[1] === $submission->score && (int) $m[2] === $submission->stage
        && (int) $m[3] === $submission->wave;
}

// Reads a pipe to its end (at most 4 KB kept), or null when the deadline passes first.
function read_until($pipe, float $deadline): ?string
{
    stream_set_blocking($pipe, false);
    $output = '';
    while (!feof($pipe)) {
        $left = $deadline - microtime(true);
        if ($left <= 0) {
            return null;
        }
        $read = [$pipe];
        $none = null;
        if (@stream_select($read, $none, $none, (int) $left, (int) (fmod($left, 1) * 1e6)) > 0) {
            $chunk = fread($pipe, 4096);
            if (is_string($chunk) && strlen($output) < 4096) {
                $output .= $chunk;
            }
        }
    }
    return $output;
}

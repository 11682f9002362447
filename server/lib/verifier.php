<?php
// Proving a score by its replay with the game's verifier (skitterworm-verify):
// --digest reads a replay's identity at once, as a post arrives; --verify
// plays it, in a verifier worker, under a time and memory limit. The
// verifier's exit status says what it found: 0 the game plays to its
// header, 1 it plays to another result, 2 it cannot be played (an unusable
// replay, one recorded by other rules of play, or a verifier that cannot run,
// say without the game's data: --digest needs no data, so there it is the
// replay's fault).
declare(strict_types=1);

// What one run of the verifier came to: its exit status (null when it did not
// end by itself: it could not start, was stopped by a signal or ran out of
// time), its output and the first line of its messages.
final class VerifierRun
{
    public function __construct(
        public readonly ?int $status,
        public readonly string $output,
        public readonly string $message,
        public readonly int $signal = 0,
    ) {
    }

    // The run as the log tells it.
    public function describe(string $verifier): string
    {
        $how = $this->status !== null ? "exit status $this->status"
            : ($this->signal > 0 ? "stopped by signal $this->signal" : 'did not finish in time');
        return "$verifier: $how" . ($this->message !== '' ? " ($this->message)" : '');
    }
}

// Runs the verifier on the replay's bytes: `VERIFIER MODE FILE`, limited to
// $cpu seconds of processor time and 1 GB (SCOREBOARD_VERIFIER_MEMORY), and
// given up after $wall seconds.
function run_verifier(string $verifier, string $mode, string $replay, int $cpu, float $wall): VerifierRun
{
    $megabytes = max(64, (int) setting('SCOREBOARD_VERIFIER_MEMORY', '1024'));
    $file = tempnam(sys_get_temp_dir(), 'skitterworm-replay-');
    if ($file === false || file_put_contents($file, $replay) === false) {
        return new VerifierRun(null, '', 'cannot write the replay to a temporary file');
    }
    try {
        // The shell sets the limits and then becomes the verifier.
        $process = @proc_open(['/bin/sh', '-c', 'ulimit -v "$1" && ulimit -t "$2" && exec "$3" "$4" "$5"', 'sh',
            (string) ($megabytes * 1024), (string) $cpu, $verifier, $mode, $file],
            [0 => ['file', '/dev/null', 'r'], 1 => ['pipe', 'w'], 2 => ['pipe', 'w']], $pipes);
        if (!is_resource($process)) {
            return new VerifierRun(null, '', "cannot start $verifier");
        }
        $deadline = microtime(true) + $wall;
        [$output, $messages] = read_both($pipes[1], $pipes[2], $deadline);
        fclose($pipes[1]);
        fclose($pipes[2]);
        if ($output === null) {
            proc_terminate($process, 9);
            proc_close($process);
            return new VerifierRun(null, '', "took longer than $wall s");
        }
        // Its output is closed: it ends at once (or has ended).
        while (($state = proc_get_status($process))['running']) {
            if (microtime(true) > $deadline) {
                proc_terminate($process, 9);
            }
            usleep(1000);
        }
        proc_close($process);
    } finally {
        unlink($file);
    }
    $message = substr(trim(strtok($messages, "\n") ?: ''), 0, 200);
    if ($state['signaled']) {
        return new VerifierRun(null, $output, $message, $state['termsig']);
    }
    return new VerifierRun($state['exitcode'], $output, $message);
}

// Reads two pipes to their ends (at most 4 KB of each kept), or [null, null]
// when the deadline passes first.
function read_both($out, $err, float $deadline): array
{
    $texts = [(int) $out => '', (int) $err => ''];
    $open = [$out, $err];
    foreach ($open as $pipe) {
        stream_set_blocking($pipe, false);
    }
    while ($open) {
        $left = $deadline - microtime(true);
        if ($left <= 0) {
            return [null, null];
        }
        $read = $open;
        $none = null;
        if (@stream_select($read, $none, $none, (int) $left, (int) (fmod($left, 1) * 1e6)) > 0) {
            foreach ($read as $pipe) {
                $chunk = fread($pipe, 4096);
                if ($chunk === '' || $chunk === false) {
                    $open = array_filter($open, fn ($p) => $p !== $pipe);
                } elseif (strlen($texts[(int) $pipe]) < 4096) {
                    $texts[(int) $pipe] .= $chunk;
                }
            }
        }
    }
    return [$texts[(int) $out], $texts[(int) $err]];
}

// The verifier's reason, without the program's name in front.
function verifier_reason(VerifierRun $run, string $otherwise): string
{
    $reason = preg_replace('/^[\w.-]+: (\S+ is not a usable replay: )?/', '', $run->message);
    return $reason !== '' ? $reason : $otherwise;
}

// The replay's identity, read by the verifier without playing the game:
// ['digest' => hex, 'name' => the name signed in it]; ['refused' => why] when
// the replay cannot be read or was recorded by other rules of play;
// ['failed' => why] when the verifier could not say (it does not run).
function replay_identity(string $verifier, string $replay): array
{
    $run = run_verifier($verifier, '--digest', $replay, 5, 5.0);
    if ($run->status === 0 && preg_match('/^digest ([0-9a-f]{64})\nname (.*)\n\z/', $run->output, $m)) {
        return ['digest' => $m[1], 'name' => $m[2]];
    }
    return $run->status === 2 ? ['refused' => 'the replay cannot be read: ' . verifier_reason($run, 'damaged')]
        : ['failed' => $run->describe($verifier)];
}

// What playing the replay came to: ['verified'], ['refused' => why] or
// ['failed' => why] when the verifier could not run (the game then waits).
function verify_game(string $verifier, string $replay, int $score, int $stage, int $wave): array
{
    $cpu = max(1, (int) setting('SCOREBOARD_VERIFIER_SECONDS', '10'));
    $run = run_verifier($verifier, '--verify', $replay, $cpu, wall_seconds());
    $result = preg_match('/^seed -?[0-9]+ score (-?[0-9]+) stage ([0-9]+) wave ([0-9]+) frames ([0-9]+)\n/',
        $run->output, $m) ? array_map('intval', array_slice($m, 1)) : null;
    $reached = $result ? "score $result[0] at stage $result[1], wave $result[2]" : '';
    if ($run->status === 0 && $result !== null) {
        return [$score, $stage, $wave] === array_slice($result, 0, 3) ? ['verified']
            : ['refused' => "the replay plays to $reached, not to the score posted"];
    }
    if ($run->status === 1) {
        return ['refused' => 'the replay does not play to the result in its header'
            . ($result ? " (it plays to $reached in $result[3] frames)" : '')];
    }
    if ($run->signal === 24) {  // SIGXCPU: its processor time ran out
        return ['refused' => "the replay takes more than $cpu s to verify"];
    }
    return ['failed' => $run->describe($verifier)];
}

// How long a verification may take on the clock: a worker runs at low
// priority, so a busy machine may slow it far below its processor time.
function wall_seconds(): int
{
    return 6 * max(1, (int) setting('SCOREBOARD_VERIFIER_SECONDS', '10'));
}

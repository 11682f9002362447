<?php
// A small front for the bundled scoreboard runner (scripts/scoreboard).
// PHP's built-in web server reads a whole request into memory before the
// script can look at its size, so it never faces players itself: this front
// reads each request's head, refuses a body over the limit without reading
// it, and passes the rest to the built-in server on a loopback port, naming
// the player's address in a header that the script trusts only with the
// runner's token. One process, one loop over non-blocking sockets.
//
//   php front.php LISTEN_ADDRESS:PORT BACKEND_PORT MAX_BODY_BYTES
//   (the token comes in SCOREBOARD_FRONT_TOKEN)
declare(strict_types=1);

const MAX_HEAD = 8192;
const BUFFER = 65536;
const REQUEST_SECONDS = 30;  // a request that takes longer is dropped
const DRAIN_SECONDS = 2;     // how long a refused body is read and thrown away
const MAX_CONNECTIONS = 256; // more wait in the listening queue

[, $listen, $backendPort, $maxBody] = $argv + [null, '127.0.0.1:47474', '0', '131072'];
$maxBody = (int) $maxBody;
$token = (string) getenv('SCOREBOARD_FRONT_TOKEN');
$server = stream_socket_server("tcp://$listen", $errno, $error);
if (!$server) {
    fwrite(STDERR, "scoreboard front: cannot listen on $listen: $error\n");
    exit(1);
}
stream_set_blocking($server, false);
pcntl_async_signals(true);
pcntl_signal(SIGTERM, fn () => exit(0));
pcntl_signal(SIGINT, fn () => exit(0));

$connections = [];
while (true) {
    $read = count($connections) < MAX_CONNECTIONS ? [$server] : [];
    $write = [];
    foreach ($connections as $c) {
        if ($c->state === 'head' || $c->state === 'drain'
            || ($c->state === 'forward' && $c->left > 0 && strlen($c->toBackend) < BUFFER)) {
            $read[] = $c->client;
        }
        if ($c->backend && !$c->backendDone && strlen($c->toClient) < BUFFER) {
            $read[] = $c->backend;
        }
        if ($c->backend && $c->toBackend !== '') {
            $write[] = $c->backend;
        }
        if ($c->toClient !== '') {
            $write[] = $c->client;
        }
    }
    $none = null;
    if (@stream_select($read, $write, $none, 1) === false) {
        continue;
    }
    if (in_array($server, $read, true) && ($client = @stream_socket_accept($server, 0, $peer))) {
        stream_set_blocking($client, false);
        $connections[(int) $client] = new_connection($client, (string) $peer);
    }
    foreach ($connections as $id => $c) {
        step($c, $read, $write, $backendPort, $maxBody, $token);
        if ($c->state === 'closed' || microtime(true) > $c->deadline) {
            close($c);
            unset($connections[$id]);
        }
    }
}

function new_connection($client, string $peer): stdClass
{
    // "1.2.3.4:5678" or "[::1]:5678"
    $address = trim(substr($peer, 0, (int) strrpos($peer, ':')), '[]');
    return (object) ['client' => $client, 'address' => $address, 'backend' => null, 'state' => 'head',
        'head' => '', 'left' => 0, 'toBackend' => '', 'toClient' => '', 'backendDone' => false,
        'deadline' => microtime(true) + REQUEST_SECONDS];
}

function step(stdClass $c, array $read, array $write, string $backendPort, int $maxBody, string $token): void
{
    if (in_array($c->client, $read, true)) {
        $data = fread($c->client, BUFFER);
        if ($data === '' || $data === false) {
            // A client gone before its request was whole, or done with a refusal.
            $c->state = in_array($c->state, ['head', 'drain'], true) ? 'closed' : $c->state;
            $c->left = 0;
        } elseif ($c->state === 'head') {
            $c->head .= $data;
            read_head($c, $backendPort, $maxBody, $token);
        } elseif ($c->state === 'forward') {
            $c->toBackend .= substr($data, 0, $c->left);
            $c->left -= min($c->left, strlen($data));
        }  // drain: thrown away
    }
    if ($c->backend && in_array($c->backend, $write, true)) {
        $c->toBackend = (string) substr($c->toBackend, (int) @fwrite($c->backend, $c->toBackend));
    }
    if ($c->backend && in_array($c->backend, $read, true)) {
        $data = fread($c->backend, BUFFER);
        if ($data === '' || $data === false) {
            $c->backendDone = true;
        } else {
            $c->toClient .= $data;
        }
    }
    if (in_array($c->client, $write, true)) {
        $written = @fwrite($c->client, $c->toClient);
        $c->toClient = $written === false ? '' : (string) substr($c->toClient, $written);
    }
    if ($c->toClient === '' && ($c->backendDone || $c->state === 'refused')) {
        if ($c->state === 'refused') {
            // The answer is out; read what the client still sends for a moment, so
            // closing does not reset the connection before the answer is read.
            stream_socket_shutdown($c->client, STREAM_SHUT_WR);
            $c->state = 'drain';
            $c->deadline = min($c->deadline, microtime(true) + DRAIN_SECONDS);
        } elseif ($c->state !== 'drain') {
            $c->state = 'closed';
        }
    }
}

function read_head(stdClass $c, string $backendPort, int $maxBody, string $token): void
{
    $end = strpos($c->head, "\r\n\r\n");
    if ($end === false) {
        if (strlen($c->head) > MAX_HEAD) {
            refuse($c, 431, 'Request Header Fields Too Large', 'the request head is too long');
        }
        return;
    }
    $lines = explode("\r\n", substr($c->head, 0, $end));
    $body = (string) substr($c->head, $end + 4);
    $length = 0;
    $kept = [array_shift($lines)];
    foreach ($lines as $line) {
        [$name, $value] = array_map('trim', explode(':', $line, 2) + ['', '']);
        $name = strtolower($name);
        if ($name === 'transfer-encoding') {
            refuse($c, 411, 'Length Required', 'a form must give its length');
            return;
        }
        if ($name === 'content-length') {
            if (!preg_match('/^[0-9]{1,15}$/', $value)) {
                refuse($c, 400, 'Bad Request', 'the length is not a number');
                return;
            }
            $length = max($length, (int) $value);
        }
        if (!in_array($name, ['connection', 'x-scoreboard-front', 'x-scoreboard-address', 'keep-alive'], true)) {
            $kept[] = $line;
        }
    }
    if ($length > $maxBody) {
        refuse($c, 413, 'Payload Too Large', "the form is longer than $maxBody bytes");
        return;
    }
    $backend = @stream_socket_client("tcp://127.0.0.1:$backendPort", $errno, $error, 5);
    if (!$backend) {
        refuse($c, 503, 'Service Unavailable', 'the scoreboard is not running');
        return;
    }
    stream_set_blocking($backend, false);
    $kept[] = "X-Scoreboard-Front: $token";
    $kept[] = 'X-Scoreboard-Address: ' . $c->address;
    $kept[] = 'Connection: close';
    $c->backend = $backend;
    $c->toBackend = implode("\r\n", $kept) . "\r\n\r\n" . substr($body, 0, $length);
    $c->left = $length - min($length, strlen($body));
    $c->head = '';
    $c->state = 'forward';
}

function refuse(stdClass $c, int $status, string $title, string $reason): void
{
    $text = "error: $reason\n";
    $c->toClient = "HTTP/1.0 $status $title\r\nContent-Type: text/plain; charset=ISO-8859-1\r\n"
        . 'Content-Length: ' . strlen($text) . "\r\nConnection: close\r\n\r\n$text";
    $c->head = '';
    $c->state = 'refused';
}

function close(stdClass $c): void
{
    @fclose($c->client);
    if ($c->backend) {
        @fclose($c->backend);
    }
}

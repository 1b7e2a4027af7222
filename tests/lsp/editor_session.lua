-- Neovim's own language client against `pl_config --lsp`, headless, set up
-- by the Lua block of docs/editors.md as it stands:
--   PL_CONFIG_TOOL=... PL_CONFIG_DESCRIPTION=... PL_CONFIG_EDITORS_GUIDE=docs/editors.md \
--     nvim --headless -u NONE -n -c 'luafile editor_session.lua'
-- Each check of the table below runs in turn on the open description with
-- mistakes, as an author would: the diagnostics, a fix, hover, a jump, the
-- formatting, reloading; a check returns nil when it passed, or what went
-- wrong.  A feature's check is one more row.  Exit status 0 when all passed.
local tool = os.getenv('PL_CONFIG_TOOL')
local description = os.getenv('PL_CONFIG_DESCRIPTION')
local guide = os.getenv('PL_CONFIG_EDITORS_GUIDE')
local timeout_ms = 10000

local function fail(message)
  io.stderr:write('editor session: ' .. message .. '\n')
  os.exit(1)
end

-- The one reply of the server to `method` at `params`, or nil and why not.
local function request(session, method, params)
  local replies, problem = vim.lsp.buf_request_sync(session.buffer, method, params, timeout_ms)
  if replies == nil then return nil, method .. ': ' .. tostring(problem) end
  local reply = replies[session.client]
  if reply == nil or reply.err ~= nil then return nil, method .. ': ' .. vim.inspect(reply) end
  return reply.result
end

local function at(session, line, character)
  return {textDocument = {uri = vim.uri_from_bufnr(session.buffer)}, position = {line = line, character = character}}
end

-- The headers and summary of a run of the tool on the buffer's lines.
local function run_on(lines, dir)
  vim.fn.mkdir(dir, 'p')
  vim.fn.writefile(lines, dir .. '/wam_arch.def')
  local out = vim.fn.system({tool, '-d', dir .. '/wam_arch.def', '-o', dir})
  local files = {out}
  for _, name in ipairs({'wam_arch.h', 'wam_regs.h', 'wam_stacks.h', 'th_public_config.h'}) do
    files[#files + 1] = table.concat(vim.fn.readfile(dir .. '/' .. name), '\n')
  end
  return vim.v.shell_error, files
end

local function diagnostics_of(session)
  local found = {}
  for _, d in ipairs(vim.diagnostic.get(session.buffer)) do
    -- The choices a message lists last are the grammar's, which the sessions hold.
    found[#found + 1] = string.format('%d:%d %s', d.lnum, d.col, (d.message:gsub(' %([^()]*%)$', '')))
  end
  table.sort(found)
  return table.concat(found, '\n')
end

local checks = {
  {
    name = 'diagnostics arrive, as --check gives them',
    run = function(session)
      local expected = table.concat({
        "2:16 H is already declared as a register on line 2",
        "3:1 incorrect @ declaration 'endd'; did you mean 'end'?",
        "7:9 wrong tag type 'lng_int'; did you mean 'long_int'?",
      }, '\n')
      local arrived = vim.wait(timeout_ms, function() return diagnostics_of(session) == expected end, 20)
      if not arrived then return 'diagnostics:\n' .. diagnostics_of(session) end
    end,
  },
  {
    name = 'a code action fixes the misspelt tag kind',
    run = function(session)
      local params = at(session, 7, 10)
      params.range = {start = params.position, ['end'] = params.position}
      params.context = {diagnostics = {}}
      local actions, problem = request(session, 'textDocument/codeAction', params)
      if actions == nil then return problem end
      if #actions ~= 1 or actions[1].title ~= "Replace with 'long_int'" then return vim.inspect(actions) end
      vim.lsp.util.apply_workspace_edit(actions[1].edit, 'utf-16')
      local line = vim.api.nvim_buf_get_lines(session.buffer, 7, 8, false)[1]
      if line ~= '@tag INT long_int 15' then return 'line 8 is ' .. line end
    end,
  },
  {
    name = 'the diagnostics go once the mistakes are fixed',
    run = function(session)
      vim.api.nvim_buf_set_lines(session.buffer, 2, 4, false, {'@end'})
      local cleared = vim.wait(timeout_ms, function() return #vim.diagnostic.get(session.buffer) == 0 end, 20)
      if not cleared then return 'still ' .. diagnostics_of(session) end
    end,
  },
  {
    -- INT, 15: the high tag bit of the split layout and the three low ones.
    name = "hover shows a tag's mask",
    run = function(session)
      local hover, problem = request(session, 'textDocument/hover', at(session, 6, 19))
      if hover == nil then return problem or 'no hover' end
      if not hover.contents.value:find('mask `0x8000000000000007`', 1, true) then return hover.contents.value end
    end,
  },
  {
    name = "definition jumps from a stack's top to its register",
    run = function(session)
      local found, problem = request(session, 'textDocument/definition', at(session, 10, 18))
      if found == nil or #found ~= 1 then return problem or vim.inspect(found) end
      vim.lsp.util.jump_to_location(found[1], 'utf-16')
      local cursor = vim.api.nvim_win_get_cursor(0)
      if cursor[1] ~= 2 or cursor[2] ~= 16 then return 'cursor at ' .. vim.inspect(cursor) end
    end,
  },
  {
    name = 'formatting aligns the columns and keeps the headers',
    run = function(session)
      local before = vim.api.nvim_buf_get_lines(session.buffer, 0, -1, false)
      local params = {textDocument = {uri = vim.uri_from_bufnr(session.buffer)},
                      options = {tabSize = 8, insertSpaces = false}}
      local edits, problem = request(session, 'textDocument/formatting', params)
      if edits == nil then return problem end
      vim.lsp.util.apply_text_edits(edits, session.buffer, 'utf-16')
      local after = vim.api.nvim_buf_get_lines(session.buffer, 0, -1, false)
      if after[6] ~= '@tag REF address  0' then return 'line 6 is ' .. tostring(after[6]) end
      local dir = vim.fn.tempname()
      local status_before, headers_before = run_on(before, dir .. '/before')
      local status_after, headers_after = run_on(after, dir .. '/after')
      if status_before ~= 0 or status_after ~= 0 then return 'the runs failed' end
      for i = 1, #headers_before do
        if headers_before[i] ~= headers_after[i] then return 'output ' .. i .. ' differs' end
      end
    end,
  },
  {
    name = ':e! twice keeps the one server, and it still checks',
    run = function(session)
      vim.cmd('edit!')
      vim.cmd('edit!')
      if session.started() ~= 1 then return session.started() .. ' servers started' end
      if not vim.lsp.buf_is_attached(session.buffer, session.client) then return 'the buffer lost its server' end
      local arrived = vim.wait(timeout_ms, function() return #vim.diagnostic.get(session.buffer) == 3 end, 20)
      if not arrived then return 'diagnostics:\n' .. diagnostics_of(session) end
    end,
  },
}

-- The Lua block of the guide that follows the line naming this file.
local function guide_setup()
  local lines = vim.fn.readfile(guide)
  local block, inside = {}, false
  for i, line in ipairs(lines) do
    if inside and line == '```' then return table.concat(block, '\n') end
    if inside then block[#block + 1] = line end
    if line == '```lua' and i > 1 and lines[i - 1]:find('editor_session.lua', 1, true) then inside = true end
  end
  fail('no Lua block for this test in ' .. guide)
end

vim.o.swapfile = false
if tool == nil or description == nil or guide == nil then
  fail('PL_CONFIG_TOOL, PL_CONFIG_DESCRIPTION and PL_CONFIG_EDITORS_GUIDE must be set')
end
-- The guide runs `pl_config` from the PATH.
local bin = vim.fn.tempname()
vim.fn.mkdir(bin, 'p')
vim.loop.fs_symlink(tool, bin .. '/pl_config')
vim.env.PATH = bin .. ':' .. vim.env.PATH
-- Every server the guide's setup starts is counted.
local start_client, started, client = vim.lsp.start_client, 0, nil
vim.lsp.start_client = function(config)
  started = started + 1
  client = start_client(config)
  return client
end
local setup, problem = loadstring(guide_setup(), 'docs/editors.md')
if setup == nil then fail(problem) end
setup()
vim.cmd('edit ' .. vim.fn.fnameescape(description))
local buffer = vim.api.nvim_get_current_buf()
if client == nil then fail('the server did not start') end

local session = {buffer = buffer, client = client, started = function() return started end}
local failed = 0
for _, check in ipairs(checks) do
  local ok, problem = pcall(check.run, session)
  if not ok or problem ~= nil then
    failed = failed + 1
    io.stderr:write('FAILED ' .. check.name .. ': ' .. tostring(problem) .. '\n')
  else
    io.stdout:write('passed ' .. check.name .. '\n')
  end
end
vim.lsp.stop_client(client)
vim.fn.delete(bin, 'rf')
os.exit(failed == 0 and 0 or 1)

-- Neovim's own language client against `pl_config --lsp`, headless:
--   PL_CONFIG_TOOL=... PL_CONFIG_DESCRIPTION=... nvim --headless -u NONE -n -c 'luafile editor_session.lua'
-- Each check of the table below runs in turn on the open description with
-- mistakes; a check returns nil when it passed, or what went wrong.  A
-- feature's check is one more row.  Exit status 0 when all passed.
local tool = os.getenv('PL_CONFIG_TOOL')
local description = os.getenv('PL_CONFIG_DESCRIPTION')
local timeout_ms = 10000

local function fail(message)
  io.stderr:write('editor session: ' .. message .. '\n')
  os.exit(1)
end

local checks = {
  {
    name = 'diagnostics arrive, as --check gives them',
    run = function(session)
      local arrived = vim.wait(timeout_ms, function() return #vim.diagnostic.get(session.buffer) > 0 end, 20)
      if not arrived then return 'no diagnostics within ' .. timeout_ms .. ' ms' end
      local found = {}
      for _, d in ipairs(vim.diagnostic.get(session.buffer)) do
        found[#found + 1] = string.format('%d:%d %s', d.lnum, d.col, d.message)
      end
      table.sort(found)
      local expected = {
        "3:1 incorrect @ declaration 'endd'; did you mean 'end'? (filler, reg, end)",
      }
      if table.concat(found, '\n') ~= table.concat(expected, '\n') then
        return 'diagnostics:\n' .. table.concat(found, '\n')
      end
    end,
  },
  {
    name = 'the diagnostics go once the mistakes are fixed',
    run = function(session)
      vim.api.nvim_buf_set_lines(session.buffer, 2, 4, false, {'@end'})
      local cleared = vim.wait(timeout_ms, function() return #vim.diagnostic.get(session.buffer) == 0 end, 20)
      if not cleared then return 'still ' .. #vim.diagnostic.get(session.buffer) .. ' diagnostics' end
    end,
  },
}

vim.o.swapfile = false
if tool == nil or description == nil then fail('PL_CONFIG_TOOL and PL_CONFIG_DESCRIPTION must be set') end
vim.cmd('edit ' .. vim.fn.fnameescape(description))
local buffer = vim.api.nvim_get_current_buf()
vim.bo[buffer].filetype = 'wam-arch'
local client = vim.lsp.start_client({
  name = 'pl_config',
  cmd = {tool, '--lsp'},
  root_dir = vim.fn.fnamemodify(description, ':h'),
})
if client == nil then fail('the server did not start') end
vim.lsp.buf_attach_client(buffer, client)

local session = {buffer = buffer, client = client}
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
os.exit(failed == 0 and 0 or 1)
